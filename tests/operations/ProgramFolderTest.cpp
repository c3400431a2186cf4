#include "Platform.h"
#include "ProgramFolder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(ProgramFolder, IsTheRunningProgramsFolderWithATrailingSeparator)
{
    const std::string module = platform::ModuleFileName();
    ASSERT_FALSE(module.empty());
    EXPECT_EQ(ProgramFolder(), module.substr(0, module.rfind('/') + 1));
    EXPECT_EQ(ProgramFolder().back(), '/');
}

TEST(ProgramFolder, AFolderTheUserCannotWriteIsReplacedByAPrivatePerUserOne)
{
    TempFolder cache;
    const char *saved = std::getenv("XDG_CACHE_HOME");
    const std::string previous = saved ? saved : "";
    ::setenv("XDG_CACHE_HOME", (cache / "cache").c_str(), 1);

    EXPECT_EQ(ProgramFolderOf(cache / "NOLVZip"), cache.Path());
    EXPECT_EQ(ProgramFolderOf("/nonexistent/bin/NOLVZip"), cache / "cache/NOLVZip/");
    struct stat st;
    ASSERT_EQ(::stat((cache / "cache/NOLVZip").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    if (saved)
        ::setenv("XDG_CACHE_HOME", previous.c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
}

} // namespace
