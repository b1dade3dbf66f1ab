#pragma once
// The guard against a second running copy: an exclusive lock (flock) on the file
// "wavory.lock" in the program folder, held for the whole run. The kernel releases it when
// the process ends however it ends, so a copy that crashed or lost its power never
// blocks the next start, whatever the file was left holding.

#include <QString>

namespace wavory {

inline constexpr const char* kLockFileName = "wavory.lock";

class SingleInstance {
  public:
    // lockPath: the lock file, normally the program folder + kLockFileName.
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance(); // releases the lock
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Outcome {
        Acquired,
        // Another running copy holds the lock.
        HeldByOther,
        // No lock can be made (the folder is read-only, full or missing, or the name is
        // taken by something other than a file): whether another copy runs is unknown.
        Unavailable,
    };
    Outcome acquire();

  private:
    QString path_;
    int fd_ = -1;
};

} // namespace wavory
