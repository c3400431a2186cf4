#include "Platform.h"

#include "AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

std::string ModuleFileName()
{
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

bool DeleteFile(const std::string &path)
{
    struct stat st;
    if (path.empty() || ::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return ::unlink(path.c_str()) == 0;
}

int CopyFileA(const char *existingFileName, const char *newFileName, int failIfExists)
{
    if (!existingFileName || !newFileName || !*existingFileName || !*newFileName)
        return 0;
    const int from = ::open(existingFileName, O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return 0;
    struct stat source, target;
    bool ok = ::fstat(from, &source) == 0 && S_ISREG(source.st_mode);
    if (ok && ::stat(newFileName, &target) == 0) {
        // Copying a file onto itself would gain nothing and risk it.
        ok = !failIfExists && S_ISREG(target.st_mode) &&
             !(target.st_dev == source.st_dev && target.st_ino == source.st_ino);
    }
    if (ok) {
        AtomicFile out(newFileName, source.st_mode & 07777);
        ok = out.Ok() && out.CopyFrom(from) == AtomicFile::CopyResult::Done && out.Commit(!failIfExists);
    }
    ::close(from);
    return ok ? 1 : 0;
}

bool IsWritableFolder(const std::string &folder)
{
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace platform
