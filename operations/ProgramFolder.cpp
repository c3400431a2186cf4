#include "ProgramFolder.h"

#include "Platform.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {

std::string PerUserFolder()
{
    std::string cache;
    const char *xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && *xdg == '/') {
        cache = xdg;
    } else {
        const char *home = std::getenv("HOME");
        cache = std::string(home ? home : "") + "/.cache";
    }
    if (cache.back() != '/')
        cache += '/';
    ::mkdir(cache.c_str(), 0700);
    const std::string folder = cache + "NOLVZip/";
    // The temporaries are copies of the user's database: keep them private.
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

} // namespace

std::string ProgramFolder()
{
    return ProgramFolderOf(platform::ModuleFileName());
}

std::string ProgramFolderOf(const std::string &moduleFileName)
{
    // The system's own separator only: a ":" or a backslash is an ordinary character in a folder name here.
    const std::string folder = moduleFileName.substr(0, moduleFileName.rfind('/') + 1);
    if (platform::IsWritableFolder(folder))
        return folder;
    return PerUserFolder();
}
