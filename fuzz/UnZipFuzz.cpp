// Feeds arbitrary bytes to UnZip as an archive: it must return a code, never
// crash, and leave nothing behind when it fails.
#include "Backup.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names for this process's files; both are removed after every input, since
// libFuzzer may end the process without running exit handlers.
std::string Path(const char *suffix)
{
    const char *tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/nolvzip-fuzz-" + std::to_string(::getpid()) + suffix;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string archive = Path(".zst");
    static const std::string target = Path(".out");
    FILE *f = std::fopen(archive.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        std::abort();

    const int32_t rc = UnZip(archive.c_str(), target.c_str());
    struct stat st {};
    const bool restored = ::stat(target.c_str(), &st) == 0;
    // Success and a restored file go together; a failure leaves no file at all.
    if ((rc == BACKUP_OK) != restored || (rc != BACKUP_OK && rc != BACKUP_DAMAGED_ARCHIVE))
        std::abort();
    ::unlink(target.c_str());
    ::unlink(archive.c_str());
    return 0;
}
