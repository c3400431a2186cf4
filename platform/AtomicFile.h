// A file written under a temporary name in its target's folder and moved over
// the target only when it is complete and on the disk. Until Commit() succeeds
// the target is untouched; a file that is not committed is removed.
#pragma once

#include <string>
#include <sys/types.h>

namespace platform {

class AtomicFile {
public:
    // Creates the temporary file beside `target` with permission bits `mode`.
    // On failure, Ok() is false and Error() holds the errno.
    AtomicFile(const std::string &target, mode_t mode);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    bool Ok() const { return fd_ >= 0; }
    int Error() const { return error_; }
    int Fd() const { return fd_; }
    const std::string &TemporaryPath() const { return temporary_; }

    // Writes all of `size` bytes, retrying short writes.
    bool Write(const void *data, size_t size);

    enum class CopyResult { Done, ReadFailed, WriteFailed };
    // Writes everything from `fd`'s current position to its end.
    CopyResult CopyFrom(int fd);
    // Flushes the data to the disk, closes, renames over the target and
    // flushes the folder. With `replace` false an existing target is kept
    // and the commit fails.
    bool Commit(bool replace = true);
    // Closes and removes the temporary file; the target stays as it was.
    void Discard();

private:
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int error_ = 0;
};

// The folder part of `path` for the operating system ("." for a bare name).
std::string SystemFolderOf(const std::string &path);
// Flushes a folder's entries to the disk.
bool SyncFolder(const std::string &folder);

} // namespace platform
