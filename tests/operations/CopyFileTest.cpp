#include "Platform.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace test_files;

const std::string kOld = "the complete file that stood at the target\n";

TEST(CopyFile, OverwritesOrCreatesTheTargetWithTheSourcesBytesAndMode)
{
    TempFolder dir;
    std::string content(3 << 20, '\0');
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 7 + i / 4096);
    WriteFile(dir / "source", content);
    ::chmod((dir / "source").c_str(), 0640);
    WriteFile(dir / "existing", kOld);

    for (const char *target : {"existing", "new"}) {
        SCOPED_TRACE(target);
        EXPECT_NE(platform::CopyFileA((dir / "source").c_str(), (dir / target).c_str(), false), 0);
        EXPECT_EQ(ReadFile(dir / target), content);
        struct stat st;
        ASSERT_EQ(::stat((dir / target).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
    }
    EXPECT_EQ(dir.Listing(), (std::set<std::string>{"source", "existing", "new"}));
}

TEST(CopyFile, FailIfExistsKeepsAnExistingTargetButCopiesToANewOne)
{
    TempFolder dir;
    WriteFile(dir / "source", "new content");
    WriteFile(dir / "existing", kOld);
    EXPECT_EQ(platform::CopyFileA((dir / "source").c_str(), (dir / "existing").c_str(), true), 0);
    EXPECT_EQ(ReadFile(dir / "existing"), kOld);
    EXPECT_NE(platform::CopyFileA((dir / "source").c_str(), (dir / "fresh").c_str(), true), 0);
    EXPECT_EQ(ReadFile(dir / "fresh"), "new content");
    EXPECT_EQ(dir.Listing(), (std::set<std::string>{"source", "existing", "fresh"}));
}

// Every failure reports zero and leaves the folder as it was.
TEST(CopyFile, FailuresReturnZeroAndChangeNothing)
{
    struct Case {
        const char *name;
        std::string source, target;
    };
    TempFolder dir;
    WriteFile(dir / "source", "content");
    WriteFile(dir / "existing", kOld);
    ::mkdir((dir / "folder").c_str(), 0700);
    const Case cases[] = {
        {"missing source", dir / "absent", dir / "existing"},
        {"source is a folder", dir / "folder", dir / "existing"},
        {"target is a folder", dir / "source", dir / "folder"},
        {"target's folder is missing", dir / "source", dir / "absent/target"},
        {"copy onto itself", dir / "existing", dir / "existing"},
        {"empty target", dir / "source", ""},
        {"empty source", "", dir / "existing"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::CopyFileA(c.source.c_str(), c.target.c_str(), false), 0);
        EXPECT_EQ(ReadFile(dir / "existing"), kOld);
        EXPECT_EQ(dir.Listing(), (std::set<std::string>{"source", "existing", "folder"}));
    }
    EXPECT_EQ(platform::CopyFileA(nullptr, (dir / "x").c_str(), false), 0);
    EXPECT_EQ(platform::CopyFileA((dir / "source").c_str(), nullptr, false), 0);
}

TEST(CopyFile, AWriteFailureLeavesTheExistingTargetIntactAndNoTemporary)
{
    TempFolder dir;
    WriteFile(dir / "source", std::string(1 << 20, 'x'));
    WriteFile(dir / "existing", kOld);
    const int result = WithFileSizeLimit(64 * 1024, [&] {
        return platform::CopyFileA((dir / "source").c_str(), (dir / "existing").c_str(), false);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(dir / "existing"), kOld);
    EXPECT_EQ(dir.Listing(), (std::set<std::string>{"source", "existing"}));
}

TEST(DeleteFile, RemovesFilesButNeverAFolder)
{
    TempFolder dir;
    WriteFile(dir / "file", "x");
    ::mkdir((dir / "folder").c_str(), 0700);
    EXPECT_TRUE(platform::DeleteFile(dir / "file"));
    EXPECT_FALSE(platform::DeleteFile(dir / "file"));
    EXPECT_FALSE(platform::DeleteFile(dir / "folder"));
    EXPECT_FALSE(platform::DeleteFile(""));
    EXPECT_EQ(dir.Listing(), (std::set<std::string>{"folder"}));
}

} // namespace
