// The archive library: one file compressed into a single zstd stream, and the
// copy of that archive kept on a removable drive.
//
// Every output goes through platform::AtomicFile, so a failure at any point
// leaves what stood at the output path as it was and no temporary file behind.
#include "Backup.h"

#include "AtomicFile.h"

#include <zstd.h>
#include <zstd_errors.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// On database pages (bench/run) level 3 keeps pace with `zstd -3 -T0` and
// comes within 2% of zip -6's size; level 1 is 15% faster but 7% larger.
constexpr int kLevel = 3;
// Each worker holds a job's input and output, so the workers are capped to
// keep peak memory under 64 MiB on machines with many cores.
constexpr int kMaxWorkers = 4;
constexpr int kJobSize = 4 << 20;
constexpr size_t kChunk = 1 << 20;

// The archive's name on the drive: 8.3, so any FAT medium holds it.
constexpr const char *kDriveFileName = "NOLVZIP.ZST";

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int Get() const { return fd_; }
    int *Out() { return &fd_; }

private:
    int fd_;
};

bool Empty(const char *path)
{
    return path == nullptr || *path == '\0';
}

// Reads up to `size` bytes, short only at the end of the file. -1 on error.
ssize_t ReadFull(int fd, void *data, size_t size, off_t *offset = nullptr)
{
    char *p = static_cast<char *>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = offset ? ::pread(fd, p + done, size - done, *offset)
                                 : ::read(fd, p + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
        if (offset)
            *offset += n;
    }
    return static_cast<ssize_t>(done);
}

// Refuses an output that is the input itself, and an existing output that
// is not a regular file: renaming over it would remove a device or a link
// target's meaning, never what the caller wants.
BackupResult CheckOutput(const std::string &input, const struct stat &in, const std::string &output)
{
    if (input == output)
        return BACKUP_SAME_FILE;
    struct stat out {};
    if (::stat(output.c_str(), &out) != 0)
        return BACKUP_OK;
    if (out.st_dev == in.st_dev && out.st_ino == in.st_ino)
        return BACKUP_SAME_FILE;
    if (!S_ISREG(out.st_mode))
        return BACKUP_BAD_ARGUMENT;
    return BACKUP_OK;
}

// The start of every copy: the input, a regular file, opened for a
// sequential read, and the output checked against it before anything is created.
BackupResult OpenForCopy(const std::string &input, const std::string &output, Fd &in, struct stat *st)
{
    *in.Out() = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (in.Get() < 0 || ::fstat(in.Get(), st) != 0 || !S_ISREG(st->st_mode))
        return BACKUP_SOURCE_UNREADABLE;
    if (const BackupResult rc = CheckOutput(input, *st, output); rc != BACKUP_OK)
        return rc;
    ::posix_fadvise(in.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return BACKUP_OK;
}

BackupResult Finish(platform::AtomicFile &out)
{
    return out.Commit() ? BACKUP_OK : BACKUP_WRITE_FAILED;
}

int Workers()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(cores), 1, kMaxWorkers);
}

BackupResult ZipImpl(const char *file, const char *archive)
{
    if (Empty(file) || Empty(archive))
        return BACKUP_BAD_ARGUMENT;
    Fd in;
    struct stat st {};
    if (const BackupResult rc = OpenForCopy(file, archive, in, &st); rc != BACKUP_OK)
        return rc;

    std::unique_ptr<ZSTD_CCtx, decltype(&ZSTD_freeCCtx)> cctx(ZSTD_createCCtx(), ZSTD_freeCCtx);
    if (!cctx)
        return BACKUP_INTERNAL_ERROR;
    ZSTD_CCtx *c = cctx.get();
    ZSTD_CCtx_setParameter(c, ZSTD_c_compressionLevel, kLevel);
    ZSTD_CCtx_setParameter(c, ZSTD_c_checksumFlag, 1);
    ZSTD_CCtx_setParameter(c, ZSTD_c_contentSizeFlag, 1);
    // A library without threads refuses this and compresses on one core.
    if (!ZSTD_isError(ZSTD_CCtx_setParameter(c, ZSTD_c_nbWorkers, Workers())))
        ZSTD_CCtx_setParameter(c, ZSTD_c_jobSize, kJobSize);
    if (ZSTD_isError(ZSTD_CCtx_setPledgedSrcSize(c, static_cast<unsigned long long>(st.st_size))))
        return BACKUP_INTERNAL_ERROR;

    platform::AtomicFile out(archive, st.st_mode & 0600);
    if (!out.Ok())
        return BACKUP_WRITE_FAILED;

    std::vector<char> inBuf(kChunk);
    std::vector<char> outBuf(ZSTD_CStreamOutSize());
    for (;;) {
        const ssize_t n = ReadFull(in.Get(), inBuf.data(), inBuf.size());
        if (n < 0)
            return BACKUP_SOURCE_UNREADABLE;
        const bool last = static_cast<size_t>(n) < inBuf.size();
        const ZSTD_EndDirective mode = last ? ZSTD_e_end : ZSTD_e_continue;
        ZSTD_inBuffer input{inBuf.data(), static_cast<size_t>(n), 0};
        bool done = false;
        while (!done) {
            ZSTD_outBuffer output{outBuf.data(), outBuf.size(), 0};
            const size_t left = ZSTD_compressStream2(c, &output, &input, mode);
            // The only errors here are the file changing size under us, or memory.
            if (ZSTD_isError(left))
                return ZSTD_getErrorCode(left) == ZSTD_error_srcSize_wrong ? BACKUP_SOURCE_UNREADABLE
                                                                           : BACKUP_INTERNAL_ERROR;
            if (!out.Write(outBuf.data(), output.pos))
                return BACKUP_WRITE_FAILED;
            done = last ? left == 0 : input.pos == input.size;
        }
        if (last)
            break;
    }
    return Finish(out);
}

BackupResult UnZipImpl(const char *archive, const char *target)
{
    if (Empty(archive) || Empty(target))
        return BACKUP_BAD_ARGUMENT;
    Fd in;
    struct stat st {};
    if (const BackupResult rc = OpenForCopy(archive, target, in, &st); rc != BACKUP_OK)
        return rc;

    std::unique_ptr<ZSTD_DCtx, decltype(&ZSTD_freeDCtx)> dctx(ZSTD_createDCtx(), ZSTD_freeDCtx);
    if (!dctx)
        return BACKUP_INTERNAL_ERROR;

    // The restored file is a database: owner-only, whatever the archive's bits.
    platform::AtomicFile out(target, 0600);
    if (!out.Ok())
        return BACKUP_WRITE_FAILED;

    std::vector<char> inBuf(ZSTD_DStreamInSize());
    std::vector<char> outBuf(ZSTD_DStreamOutSize());
    bool readSomething = false;
    // Zero once the last frame has ended; an archive may end only there.
    size_t pending = 1;
    for (;;) {
        const ssize_t n = ReadFull(in.Get(), inBuf.data(), inBuf.size());
        if (n < 0)
            return BACKUP_SOURCE_UNREADABLE;
        if (n == 0)
            break;
        readSomething = true;
        ZSTD_inBuffer input{inBuf.data(), static_cast<size_t>(n), 0};
        ZSTD_outBuffer output{outBuf.data(), outBuf.size(), 0};
        // A full output buffer may mean more is waiting even with no input left.
        while (input.pos < input.size || output.pos == output.size) {
            output.pos = 0;
            const size_t consumed = input.pos;
            const size_t rc = ZSTD_decompressStream(dctx.get(), &output, &input);
            if (ZSTD_isError(rc))
                return ZSTD_getErrorCode(rc) == ZSTD_error_memory_allocation ? BACKUP_INTERNAL_ERROR
                                                                             : BACKUP_DAMAGED_ARCHIVE;
            if (!out.Write(outBuf.data(), output.pos))
                return BACKUP_WRITE_FAILED;
            // A call that did nothing, after a frame filled the buffer exactly,
            // reports the next frame's header as pending: it is not a cut.
            if (input.pos != consumed || output.pos != 0)
                pending = rc;
        }
    }
    if (!readSomething || pending != 0)
        return BACKUP_DAMAGED_ARCHIVE;
    return Finish(out);
}

// The folder standing for `drive` ("a:" or "A:"), or the error to return.
BackupResult DriveFolder(const char *drive, std::string *folder)
{
    if (Empty(drive) || std::strlen(drive) != 2 || drive[1] != ':'
        || !std::isalpha(static_cast<unsigned char>(drive[0])))
        return BACKUP_BAD_ARGUMENT;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    const std::string variable = std::string("BACKUP_DRIVE_") + letter;
    const char *configured = std::getenv(variable.c_str());
    struct stat st {};
    if (!Empty(configured)) {
        *folder = configured;
        return ::stat(folder->c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? BACKUP_OK
                                                                        : BACKUP_DRIVE_UNAVAILABLE;
    }
    if (letter != 'A' && letter != 'B')
        return BACKUP_DRIVE_UNAVAILABLE;
    *folder = letter == 'A' ? "/media/floppy0" : "/media/floppy1";
    // With no medium the mount point is a plain folder on the system disk;
    // writing there would look like a backup and fill the wrong disk.
    struct stat parent {};
    if (::stat(folder->c_str(), &st) != 0 || !S_ISDIR(st.st_mode)
        || ::stat((*folder + "/..").c_str(), &parent) != 0 || st.st_dev == parent.st_dev)
        return BACKUP_DRIVE_UNAVAILABLE;
    return BACKUP_OK;
}

BackupResult CopyAll(int from, platform::AtomicFile &to)
{
    switch (to.CopyFrom(from)) {
    case platform::AtomicFile::CopyResult::Done:
        return BACKUP_OK;
    case platform::AtomicFile::CopyResult::ReadFailed:
        return BACKUP_SOURCE_UNREADABLE;
    case platform::AtomicFile::CopyResult::WriteFailed:
        break;
    }
    return BACKUP_WRITE_FAILED;
}

// Compares what the medium holds with the local file. The written pages are
// dropped from the cache first, so the comparison reads the medium itself.
BackupResult VerifyOnMedium(int local, int written)
{
    if (::fsync(written) != 0)
        return BACKUP_WRITE_FAILED;
    ::posix_fadvise(written, 0, 0, POSIX_FADV_DONTNEED);
    std::vector<char> a(kChunk);
    std::vector<char> b(kChunk);
    off_t at = 0;
    off_t bt = 0;
    for (;;) {
        const ssize_t na = ReadFull(local, a.data(), a.size(), &at);
        const ssize_t nb = ReadFull(written, b.data(), b.size(), &bt);
        if (na < 0)
            return BACKUP_SOURCE_UNREADABLE;
        if (nb < 0)
            return BACKUP_WRITE_FAILED;
        if (na != nb || std::memcmp(a.data(), b.data(), static_cast<size_t>(na)) != 0)
            return BACKUP_VERIFY_MISMATCH;
        if (na == 0)
            return BACKUP_OK;
    }
}

BackupResult DiskToFloppyImpl(const char *file, const char *drive)
{
    if (Empty(file))
        return BACKUP_BAD_ARGUMENT;
    std::string folder;
    BackupResult rc = DriveFolder(drive, &folder);
    if (rc != BACKUP_OK)
        return rc;
    const std::string onDrive = folder + "/" + kDriveFileName;
    Fd in;
    struct stat st {};
    if ((rc = OpenForCopy(file, onDrive, in, &st)) != BACKUP_OK)
        return rc;

    platform::AtomicFile out(onDrive, 0600);
    if (!out.Ok())
        return BACKUP_WRITE_FAILED;
    if ((rc = CopyAll(in.Get(), out)) != BACKUP_OK)
        return rc;
    if ((rc = VerifyOnMedium(in.Get(), out.Fd())) != BACKUP_OK)
        return rc;
    return Finish(out);
}

BackupResult FloppyToDiskImpl(const char *file, const char *drive)
{
    if (Empty(file))
        return BACKUP_BAD_ARGUMENT;
    std::string folder;
    BackupResult rc = DriveFolder(drive, &folder);
    if (rc != BACKUP_OK)
        return rc;
    Fd in;
    struct stat st {};
    if ((rc = OpenForCopy(folder + "/" + kDriveFileName, file, in, &st)) != BACKUP_OK)
        return rc;

    platform::AtomicFile out(file, 0600);
    if (!out.Ok())
        return BACKUP_WRITE_FAILED;
    if ((rc = CopyAll(in.Get(), out)) != BACKUP_OK)
        return rc;
    return Finish(out);
}

// Nothing may escape into a caller that is not C++.
template <typename F>
int32_t Guarded(F body) noexcept
{
    try {
        return body();
    } catch (...) {
        return BACKUP_INTERNAL_ERROR;
    }
}

} // namespace

extern "C" {

int32_t Zip(const char *file, const char *archive)
{
    return Guarded([&] { return ZipImpl(file, archive); });
}

int32_t UnZip(const char *archive, const char *target)
{
    return Guarded([&] { return UnZipImpl(archive, target); });
}

int32_t DiskToFloppy(const char *file, const char *drive)
{
    return Guarded([&] { return DiskToFloppyImpl(file, drive); });
}

int32_t FloppyToDisk(const char *file, const char *drive)
{
    return Guarded([&] { return FloppyToDiskImpl(file, drive); });
}
}
