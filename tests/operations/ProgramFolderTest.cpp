#include "Platform.h"
#include "ProgramFolder.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace test_files;

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
    ScopedEnv env{"XDG_CACHE_HOME", (cache / "cache").c_str()};

    EXPECT_EQ(ProgramFolderOf(cache / "NOLVZip"), cache.Path());
    EXPECT_EQ(ProgramFolderOf("/nonexistent/bin/NOLVZip"), cache / "cache/NOLVZip/");
    struct stat st;
    ASSERT_EQ(::stat((cache / "cache/NOLVZip").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

} // namespace
