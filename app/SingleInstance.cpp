#include "SingleInstance.h"

#include <QLockFile>

namespace wavory {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    // Never stale by age: a copy may run for days. A lock whose process is gone is
    // recognised as stale by its process id.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default; // unlocks

SingleInstance::Outcome SingleInstance::acquire() {
    if (lock_->tryLock(0))
        return Outcome::Acquired;
    return lock_->error() == QLockFile::LockFailedError ? Outcome::HeldByOther
                                                        : Outcome::Unavailable;
}

} // namespace wavory
