#pragma once
// The guard against a second running copy: a lock file "wavory.lock" in the program
// folder, held for the whole run. A lock left behind by a copy that crashed (its process
// no longer runs) does not block.

#include <QString>

#include <memory>

class QLockFile;

namespace wavory {

inline constexpr const char* kLockFileName = "wavory.lock";

class SingleInstance {
  public:
    // lockPath: the lock file, normally the program folder + kLockFileName.
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Outcome {
        Acquired,
        // Another running copy holds the lock.
        HeldByOther,
        // No lock can be made (the folder is read-only, full or missing): whether another
        // copy runs is unknown.
        Unavailable,
    };
    Outcome acquire();

  private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace wavory
