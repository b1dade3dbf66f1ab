#include "SingleInstance.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wavory {

namespace {

int openLockFile(const QByteArray& path) {
    // Non-blocking, so that a FIFO put in the lock's place cannot stall the start.
    const int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | flags, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(path.constData(), O_RDONLY | flags); // a lock needs no write access
    return fd;
}

} // namespace

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath) {}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0)
        ::close(fd_); // the file stays; only the lock on it matters
}

SingleInstance::Outcome SingleInstance::acquire() {
    if (fd_ >= 0)
        return Outcome::Acquired;
    const int fd = openLockFile(QFile::encodeName(path_));
    if (fd < 0)
        return Outcome::Unavailable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Outcome::Unavailable;
    }
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Outcome::HeldByOther : Outcome::Unavailable;
    }
    fd_ = fd;
    // The holder's process id, for a person looking at the file; nothing reads it.
    const std::string pid = std::to_string(::getpid()) + '\n';
    if (::ftruncate(fd_, 0) == 0)
        (void)!::pwrite(fd_, pid.data(), pid.size(), 0);
    return Outcome::Acquired;
}

} // namespace wavory
