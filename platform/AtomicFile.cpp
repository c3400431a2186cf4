#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

std::string SystemFolderOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool SyncFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

AtomicFile::AtomicFile(const std::string &target, mode_t mode) : target_(target)
{
    if (target.empty() || target.back() == '/') {
        error_ = EINVAL;
        return;
    }
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    // A hidden name in the target's own folder, so the final rename stays on one file system.
    std::string pattern = folder + "." + name + ".XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    temporary_ = pattern;
    if (::fchmod(fd_, mode) != 0) {
        error_ = errno;
        Discard();
    }
}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Write(const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

AtomicFile::CopyResult AtomicFile::CopyFrom(int fd)
{
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n == 0)
            return CopyResult::Done;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return CopyResult::ReadFailed;
        }
        if (!Write(buffer.data(), static_cast<size_t>(n)))
            return CopyResult::WriteFailed;
    }
}

bool AtomicFile::Commit(bool replace)
{
    if (fd_ < 0)
        return false;
    if (::fsync(fd_) != 0) {
        error_ = errno;
        Discard();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        error_ = errno;
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    int rc;
    if (replace) {
        rc = ::rename(temporary_.c_str(), target_.c_str());
    } else {
        // link() refuses an existing target, so nothing that appeared meanwhile is replaced.
        rc = ::link(temporary_.c_str(), target_.c_str());
        if (rc == 0)
            ::unlink(temporary_.c_str());
    }
    if (rc != 0) {
        error_ = errno;
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    SyncFolder(SystemFolderOf(target_));
    return true;
}

void AtomicFile::Discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

} // namespace platform
