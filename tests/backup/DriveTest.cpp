// DiskToFloppy and FloppyToDisk, with the drive pointed at a temp folder.
#include "Backup.h"
#include "BackupTestSupport.h"

#include <vector>

using namespace backup_test;

namespace {

const char *const kOnDrive = "NOLVZIP.ZST";

struct Drive {
    TempFolder local;
    TempFolder medium;
    ScopedEnv env{"BACKUP_DRIVE_A", medium.Path().c_str()};
};

TEST(Drive, CopiesThereAndBackUnderItsFixedName)
{
    for (const char *drive : {"a:", "A:"}) {
        SCOPED_TRACE(drive);
        Drive d;
        const Bytes archive = RandomBytes(300000);
        WriteFile(d.local / "db.zst", archive);

        ASSERT_EQ(DiskToFloppy((d.local / "db.zst").c_str(), drive), BACKUP_OK);
        EXPECT_EQ(d.medium.Listing(), std::set<std::string>{kOnDrive});
        EXPECT_TRUE(ReadFile(d.medium / kOnDrive) == archive);

        ASSERT_EQ(FloppyToDisk((d.local / "fetched.zst").c_str(), drive), BACKUP_OK);
        EXPECT_TRUE(ReadFile(d.local / "fetched.zst") == archive);
        EXPECT_EQ(Mode(d.local / "fetched.zst"), 0600u);
    }
}

TEST(Drive, NewCopyReplacesThePreviousOne)
{
    Drive d;
    WriteFile(d.medium / kOnDrive, "an older and longer backup of the database");
    WriteFile(d.local / "db.zst", "newer");
    WriteFile(d.local / "fetched.zst", "stale local copy");
    ASSERT_EQ(DiskToFloppy((d.local / "db.zst").c_str(), "a:"), BACKUP_OK);
    EXPECT_EQ(ReadFile(d.medium / kOnDrive), "newer");
    ASSERT_EQ(FloppyToDisk((d.local / "fetched.zst").c_str(), "a:"), BACKUP_OK);
    EXPECT_EQ(ReadFile(d.local / "fetched.zst"), "newer");
}

TEST(Drive, EachLetterHasItsOwnVariable)
{
    Drive d;
    TempFolder other;
    ScopedEnv b("BACKUP_DRIVE_B", other.Path().c_str());
    WriteFile(d.local / "db.zst", "for drive b");
    ASSERT_EQ(DiskToFloppy((d.local / "db.zst").c_str(), "b:"), BACKUP_OK);
    EXPECT_EQ(ReadFile(other / kOnDrive), "for drive b");
    EXPECT_TRUE(d.medium.Listing().empty());
}

TEST(Drive, RefusesMalformedDrives)
{
    Drive d;
    WriteFile(d.local / "db.zst", "archive");
    WriteFile(d.local / "fetched.zst", "local");
    for (const char *drive : {static_cast<const char *>(nullptr), "", "a", ":", "a:/", "a:\\", "ab:", "1:", " a:", "a;", "é:"}) {
        SCOPED_TRACE(drive ? drive : "null");
        EXPECT_EQ(DiskToFloppy((d.local / "db.zst").c_str(), drive), BACKUP_BAD_ARGUMENT);
        EXPECT_EQ(FloppyToDisk((d.local / "fetched.zst").c_str(), drive), BACKUP_BAD_ARGUMENT);
    }
    EXPECT_EQ(DiskToFloppy(nullptr, "a:"), BACKUP_BAD_ARGUMENT);
    EXPECT_EQ(FloppyToDisk("", "a:"), BACKUP_BAD_ARGUMENT);
    EXPECT_TRUE(d.medium.Listing().empty());
    EXPECT_EQ(ReadFile(d.local / "fetched.zst"), "local");
}

TEST(Drive, UnavailableDrives)
{
    TempFolder local;
    WriteFile(local / "db.zst", "archive");
    WriteFile(local / "fetched.zst", "local");
    const std::string missing = local / "no-such-drive";
    const std::string file = local / "db.zst";
    const struct {
        const char *name;
        const char *variable; // value of BACKUP_DRIVE_A, or null for the default folder
    } cases[] = {
        {"FolderMissing", missing.c_str()},
        {"NotAFolder", file.c_str()},
        // The default folder here is either missing or, with no medium, not a mount point.
        {"DefaultWithoutMedium", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnv env("BACKUP_DRIVE_A", c.variable);
        if (!c.variable && std::system("mountpoint -q /media/floppy0 2>/dev/null") == 0)
            GTEST_SKIP() << "a medium is mounted on /media/floppy0";
        EXPECT_EQ(DiskToFloppy((local / "db.zst").c_str(), "a:"), BACKUP_DRIVE_UNAVAILABLE);
        EXPECT_EQ(FloppyToDisk((local / "fetched.zst").c_str(), "a:"), BACKUP_DRIVE_UNAVAILABLE);
    }
    ScopedEnv none("BACKUP_DRIVE_Q", nullptr);
    EXPECT_EQ(DiskToFloppy((local / "db.zst").c_str(), "q:"), BACKUP_DRIVE_UNAVAILABLE);
    EXPECT_EQ(ReadFile(local / "fetched.zst"), "local");
    EXPECT_EQ(local.Listing(), (std::set<std::string>{"db.zst", "fetched.zst"}));
}

TEST(Drive, MissingFiles)
{
    Drive d;
    WriteFile(d.local / "fetched.zst", "local");
    EXPECT_EQ(DiskToFloppy((d.local / "missing.zst").c_str(), "a:"), BACKUP_SOURCE_UNREADABLE);
    EXPECT_EQ(FloppyToDisk((d.local / "fetched.zst").c_str(), "a:"), BACKUP_SOURCE_UNREADABLE);
    EXPECT_EQ(ReadFile(d.local / "fetched.zst"), "local");
    EXPECT_TRUE(d.medium.Listing().empty());
}

TEST(Drive, RefusesTheDriveCopyItself)
{
    Drive d;
    WriteFile(d.medium / kOnDrive, "on the drive");
    EXPECT_EQ(DiskToFloppy((d.medium / kOnDrive).c_str(), "a:"), BACKUP_SAME_FILE);
    EXPECT_EQ(FloppyToDisk((d.medium / kOnDrive).c_str(), "a:"), BACKUP_SAME_FILE);
    EXPECT_EQ(ReadFile(d.medium / kOnDrive), "on the drive");
    EXPECT_EQ(d.medium.Listing(), std::set<std::string>{kOnDrive});
}

// A full medium or a failing write: the previous copy stays and no temporary file is left.
TEST(Drive, WriteFailureKeepsThePreviousCopy)
{
    Drive d;
    WriteFile(d.medium / kOnDrive, "previous backup");
    WriteFile(d.local / "db.zst", RandomBytes(2 << 20));
    WriteFile(d.local / "fetched.zst", "local");
    for (const rlim_t limit : {rlim_t{0}, rlim_t{4096}, rlim_t{1 << 20}}) {
        SCOPED_TRACE(limit);
        EXPECT_EQ(WithFileSizeLimit(limit, [&] { return DiskToFloppy((d.local / "db.zst").c_str(), "a:"); }),
                  BACKUP_WRITE_FAILED);
        EXPECT_EQ(ReadFile(d.medium / kOnDrive), "previous backup");
        EXPECT_EQ(d.medium.Listing(), std::set<std::string>{kOnDrive});
    }
    WriteFile(d.medium / kOnDrive, RandomBytes(2 << 20, 3));
    EXPECT_EQ(WithFileSizeLimit(4096, [&] { return FloppyToDisk((d.local / "fetched.zst").c_str(), "a:"); }),
              BACKUP_WRITE_FAILED);
    EXPECT_EQ(ReadFile(d.local / "fetched.zst"), "local");
    EXPECT_EQ(d.local.Listing(), (std::set<std::string>{"db.zst", "fetched.zst"}));
}

} // namespace
