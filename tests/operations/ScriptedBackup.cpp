#include "ScriptedBackup.h"

#include "Backup.h"

#include <fstream>
#include <map>

namespace scripted {

namespace {
std::vector<Call> calls;
std::map<std::string, std::deque<int>> results;

int32_t Record(const char *function, const char *first, const char *second, const char *output,
               const std::string &content)
{
    // The operations must never hand the library a null pointer.
    if (!first || !second)
        return -1;
    calls.push_back({function, first, second});
    auto &pending = results[function];
    int result = 0;
    if (!pending.empty()) {
        result = pending.front();
        pending.pop_front();
    }
    if (result == 0 && output)
        std::ofstream(output, std::ios::binary) << content;
    return result;
}
} // namespace

const std::vector<Call> &Calls() { return calls; }
void Script(const std::string &function, std::deque<int> r) { results[function] = std::move(r); }
void Reset()
{
    calls.clear();
    results.clear();
}
std::string ZipContent(const std::string &file) { return "archive of " + file; }
std::string UnZipContent(const std::string &archive) { return "restored from " + archive; }
std::string FloppyContent() { return "archive from the floppy"; }

} // namespace scripted

extern "C" {
int32_t Zip(const char *file, const char *archive)
{
    return scripted::Record("Zip", file, archive, archive, scripted::ZipContent(file ? file : ""));
}
int32_t UnZip(const char *archive, const char *target)
{
    return scripted::Record("UnZip", archive, target, target, scripted::UnZipContent(archive ? archive : ""));
}
int32_t DiskToFloppy(const char *file, const char *drive)
{
    return scripted::Record("DiskToFloppy", file, drive, nullptr, "");
}
int32_t FloppyToDisk(const char *file, const char *drive)
{
    return scripted::Record("FloppyToDisk", file, drive, file, scripted::FloppyContent());
}
}
