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

    // False only when another running copy holds the lock. A folder where no lock can be
    // made at all (read-only, missing) does not stop the program: there is no evidence of
    // another copy then.
    bool acquire();

  private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace wavory
