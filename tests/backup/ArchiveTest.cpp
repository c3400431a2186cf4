// Zip and UnZip against real files in a temp folder, checked with the zstd command.
#include "Backup.h"
#include "BackupTestSupport.h"

#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <functional>
#include <sys/resource.h>
#include <vector>

using namespace backup_test;

namespace {

struct Content {
    const char *name;
    std::function<Bytes()> make;
};

// Sizes around zstd's 128 KiB block, the library's 1 MiB read chunk and
// its 4 MiB job, where an off-by-one in the streaming loops would show.
const std::vector<Content> kContents = {
    {"Empty", [] { return Bytes(); }},
    {"OneByte", [] { return Bytes("x"); }},
    {"BlockMinusOne", [] { return DatabaseLike((128 << 10) - 1); }},
    {"OneBlock", [] { return DatabaseLike(128 << 10); }},
    {"BlockPlusOne", [] { return DatabaseLike((128 << 10) + 1); }},
    {"TwoBlocksOfZeros", [] { return Bytes(256 << 10, '\0'); }},
    {"OneChunk", [] { return DatabaseLike(1 << 20); }},
    {"JobPlusOne", [] { return DatabaseLike((4 << 20) + 1); }},
    {"Incompressible", [] { return RandomBytes(3 << 20); }},
    {"DatabaseLike", [] { return DatabaseLike(9 << 20); }},
};

void PrintTo(const Content &c, std::ostream *os) { *os << c.name; }

class RoundTrip : public ::testing::TestWithParam<Content> {};

TEST_P(RoundTrip, RestoresTheFileAndTheZstdCommandAgrees)
{
    TempFolder dir;
    const Bytes data = GetParam().make();
    WriteFile(dir / "db", data);

    ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "db.zst").c_str()), BACKUP_OK);
    EXPECT_EQ(Shell("zstd -q -t " + Quote(dir / "db.zst")), 0);
    ASSERT_EQ(Shell("zstd -q -d " + Quote(dir / "db.zst") + " -o " + Quote(dir / "by-zstd")), 0);
    EXPECT_TRUE(ReadFile(dir / "by-zstd") == data);

    ASSERT_EQ(UnZip((dir / "db.zst").c_str(), (dir / "restored").c_str()), BACKUP_OK);
    EXPECT_TRUE(ReadFile(dir / "restored") == data);
    EXPECT_EQ(dir.Listing(), (std::set<std::string>{"db", "db.zst", "by-zstd", "restored"}));
}

INSTANTIATE_TEST_SUITE_P(Contents, RoundTrip, ::testing::ValuesIn(kContents),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RoundTrip, ArchiveRecordsTheContentSizeAndChecksum)
{
    TempFolder dir;
    WriteFile(dir / "db", DatabaseLike(300000));
    ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "db.zst").c_str()), BACKUP_OK);
    const std::string listing = dir / "list.txt";
    ASSERT_EQ(Shell("zstd -lv " + Quote(dir / "db.zst") + " > " + Quote(listing)), 0);
    const Bytes text = ReadFile(listing);
    EXPECT_NE(text.find("(300000 B)"), std::string::npos) << text;
    EXPECT_NE(text.find("XXH64"), std::string::npos) << text;
}

TEST(RoundTrip, ReplacesAnExistingArchiveAndTarget)
{
    TempFolder dir;
    WriteFile(dir / "db", "new contents");
    WriteFile(dir / "db.zst", "old archive");
    WriteFile(dir / "restored", "old target that is longer than the new contents");
    ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "db.zst").c_str()), BACKUP_OK);
    ASSERT_EQ(UnZip((dir / "db.zst").c_str(), (dir / "restored").c_str()), BACKUP_OK);
    EXPECT_EQ(ReadFile(dir / "restored"), "new contents");
}

// Archives the library did not make, restored as `zstd -d` would restore them.
struct Foreign {
    const char *name;
    const char *command; // builds $D/a.zst from $D/one and $D/two
    const char *expected; // files whose contents, in order, the archive holds
};

const std::vector<Foreign> kForeign = {
    {"OneFrame", "zstd -q -19 $D/one -o $D/a.zst", "one"},
    {"WithoutChecksum", "zstd -q --no-check $D/one -o $D/a.zst", "one"},
    {"SizeNotRecorded", "cat $D/one | zstd -q > $D/a.zst", "one"},
    {"SeveralFrames", "zstd -q $D/one -o $D/1.zst && zstd -q -1 $D/two -o $D/2.zst && cat $D/1.zst $D/2.zst $D/1.zst > $D/a.zst && rm $D/1.zst $D/2.zst", "one two one"},
    // A skippable frame: magic 0x184D2A50, length 4, four bytes of payload.
    {"SkippableFrameFirst", "printf 'P*M\\030\\004\\000\\000\\000abcd' > $D/a.zst && zstd -q -c $D/two >> $D/a.zst", "two"},
    {"SkippableFrameLast", "zstd -q -c $D/two > $D/a.zst && printf 'Q*M\\030\\000\\000\\000\\000' >> $D/a.zst", "two"},
    {"EmptyFile", "zstd -q $D/empty -o $D/a.zst", "empty"},
};

void PrintTo(const Foreign &c, std::ostream *os) { *os << c.name; }

class ForeignArchive : public ::testing::TestWithParam<Foreign> {};

TEST_P(ForeignArchive, IsRestoredLikeZstdDoes)
{
    TempFolder dir;
    WriteFile(dir / "one", DatabaseLike(200000));
    WriteFile(dir / "two", RandomBytes(70000));
    WriteFile(dir / "empty", "");
    ASSERT_EQ(Shell("D=" + Quote(dir.Path()) + "; " + GetParam().command), 0);

    Bytes expected;
    std::istringstream names(GetParam().expected);
    for (std::string name; names >> name;)
        expected += ReadFile(dir / name);
    ASSERT_EQ(UnZip((dir / "a.zst").c_str(), (dir / "restored").c_str()), BACKUP_OK);
    EXPECT_TRUE(ReadFile(dir / "restored") == expected);
}

INSTANTIATE_TEST_SUITE_P(Archives, ForeignArchive, ::testing::ValuesIn(kForeign),
                         [](const auto &info) { return std::string(info.param.name); });

// Damaged archives: UnZip fails, and the target and folder stay as they were.
struct Damage {
    const char *name;
    std::function<Bytes(const Bytes &)> apply;
};

Bytes Flip(Bytes b, size_t at)
{
    b[at] = static_cast<char>(b[at] ^ 0x5A);
    return b;
}

const std::vector<Damage> kDamage = {
    {"EmptyFile", [](const Bytes &) { return Bytes(); }},
    {"MagicOnly", [](const Bytes &a) { return a.substr(0, 4); }},
    {"CutInHeader", [](const Bytes &a) { return a.substr(0, 7); }},
    {"CutInData", [](const Bytes &a) { return a.substr(0, a.size() / 2); }},
    {"CutInChecksum", [](const Bytes &a) { return a.substr(0, a.size() - 2); }},
    {"ChecksumMissing", [](const Bytes &a) { return a.substr(0, a.size() - 4); }},
    {"FlippedMagic", [](const Bytes &a) { return Flip(a, 0); }},
    {"FlippedHeader", [](const Bytes &a) { return Flip(a, 4); }},
    {"FlippedData", [](const Bytes &a) { return Flip(a, a.size() / 2); }},
    {"FlippedChecksum", [](const Bytes &a) { return Flip(a, a.size() - 1); }},
    {"GarbageAfterFrame", [](const Bytes &a) { return a + "trailing"; }},
    {"RandomBytes", [](const Bytes &) { return RandomBytes(5000, 7); }},
    {"PlainText", [](const Bytes &) { return Bytes("this is not an archive\n"); }},
};

void PrintTo(const Damage &c, std::ostream *os) { *os << c.name; }

class DamagedArchive : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedArchive, IsRejectedAndTheTargetIsUntouched)
{
    TempFolder dir;
    WriteFile(dir / "db", DatabaseLike(600000));
    ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "good.zst").c_str()), BACKUP_OK);
    WriteFile(dir / "bad.zst", GetParam().apply(ReadFile(dir / "good.zst")));
    WriteFile(dir / "target", "the database as it was");
    const auto before = dir.Listing();

    EXPECT_EQ(UnZip((dir / "bad.zst").c_str(), (dir / "target").c_str()), BACKUP_DAMAGED_ARCHIVE);
    EXPECT_EQ(ReadFile(dir / "target"), "the database as it was");
    EXPECT_EQ(dir.Listing(), before);

    EXPECT_EQ(UnZip((dir / "bad.zst").c_str(), (dir / "new-target").c_str()), BACKUP_DAMAGED_ARCHIVE);
    EXPECT_EQ(dir.Listing(), before);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedArchive, ::testing::ValuesIn(kDamage),
                         [](const auto &info) { return std::string(info.param.name); });

// Arguments refused before anything is written.
struct Refusal {
    const char *name;
    std::function<int32_t(const TempFolder &)> call;
    int32_t expected;
};

const std::vector<Refusal> kRefusals = {
    {"ZipNullFile", [](const TempFolder &d) { return Zip(nullptr, (d / "a.zst").c_str()); }, BACKUP_BAD_ARGUMENT},
    {"ZipEmptyFile", [](const TempFolder &d) { return Zip("", (d / "a.zst").c_str()); }, BACKUP_BAD_ARGUMENT},
    {"ZipNullArchive", [](const TempFolder &d) { return Zip((d / "db").c_str(), nullptr); }, BACKUP_BAD_ARGUMENT},
    {"ZipEmptyArchive", [](const TempFolder &d) { return Zip((d / "db").c_str(), ""); }, BACKUP_BAD_ARGUMENT},
    {"ZipOntoItself", [](const TempFolder &d) { return Zip((d / "db").c_str(), (d / "db").c_str()); }, BACKUP_SAME_FILE},
    {"ZipOntoItsHardLink", [](const TempFolder &d) { return Zip((d / "db").c_str(), (d / "hardlink").c_str()); }, BACKUP_SAME_FILE},
    {"ZipOntoItsSymlink", [](const TempFolder &d) { return Zip((d / "db").c_str(), (d / "symlink").c_str()); }, BACKUP_SAME_FILE},
    {"ZipOntoItselfByAnotherPath", [](const TempFolder &d) { return Zip((d / "db").c_str(), (d / "sub/../db").c_str()); }, BACKUP_SAME_FILE},
    {"ZipOntoAFolder", [](const TempFolder &d) { return Zip((d / "db").c_str(), (d / "sub").c_str()); }, BACKUP_BAD_ARGUMENT},
    {"ZipOntoADevice", [](const TempFolder &d) { return Zip((d / "db").c_str(), "/dev/null"); }, BACKUP_BAD_ARGUMENT},
    {"ZipMissingFile", [](const TempFolder &d) { return Zip((d / "missing").c_str(), (d / "a.zst").c_str()); }, BACKUP_SOURCE_UNREADABLE},
    {"ZipAFolder", [](const TempFolder &d) { return Zip((d / "sub").c_str(), (d / "a.zst").c_str()); }, BACKUP_SOURCE_UNREADABLE},
    {"ZipIntoMissingFolder", [](const TempFolder &d) { return Zip((d / "db").c_str(), (d / "none/a.zst").c_str()); }, BACKUP_WRITE_FAILED},
    {"UnZipNullArchive", [](const TempFolder &d) { return UnZip(nullptr, (d / "db").c_str()); }, BACKUP_BAD_ARGUMENT},
    {"UnZipEmptyTarget", [](const TempFolder &d) { return UnZip((d / "db.zst").c_str(), ""); }, BACKUP_BAD_ARGUMENT},
    {"UnZipOntoItself", [](const TempFolder &d) { return UnZip((d / "db.zst").c_str(), (d / "db.zst").c_str()); }, BACKUP_SAME_FILE},
    {"UnZipOntoItsHardLink", [](const TempFolder &d) { return UnZip((d / "db.zst").c_str(), (d / "zst-link").c_str()); }, BACKUP_SAME_FILE},
    {"UnZipMissingArchive", [](const TempFolder &d) { return UnZip((d / "missing").c_str(), (d / "db").c_str()); }, BACKUP_SOURCE_UNREADABLE},
    {"UnZipIntoMissingFolder", [](const TempFolder &d) { return UnZip((d / "db.zst").c_str(), (d / "none/db").c_str()); }, BACKUP_WRITE_FAILED},
};

void PrintTo(const Refusal &c, std::ostream *os) { *os << c.name; }

class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, LeavesEverythingAsItWas)
{
    TempFolder dir;
    const Bytes data = DatabaseLike(100000);
    WriteFile(dir / "db", data);
    ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "db.zst").c_str()), BACKUP_OK);
    const Bytes archive = ReadFile(dir / "db.zst");
    ASSERT_EQ(::mkdir((dir / "sub").c_str(), 0700), 0);
    ASSERT_EQ(::link((dir / "db").c_str(), (dir / "hardlink").c_str()), 0);
    ASSERT_EQ(::link((dir / "db.zst").c_str(), (dir / "zst-link").c_str()), 0);
    ASSERT_EQ(::symlink("db", (dir / "symlink").c_str()), 0);
    const auto before = dir.Listing();

    EXPECT_EQ(GetParam().call(dir), GetParam().expected);
    EXPECT_TRUE(ReadFile(dir / "db") == data);
    EXPECT_TRUE(ReadFile(dir / "db.zst") == archive);
    EXPECT_EQ(dir.Listing(), before);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "sub"));
}

INSTANTIATE_TEST_SUITE_P(Arguments, Refused, ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Permissions, ArchiveIsOwnerOnlyAndNeverWiderThanTheFile)
{
    const struct {
        mode_t file;
        mode_t archive;
    } cases[] = {{0644, 0600}, {0666, 0600}, {0640, 0600}, {0600, 0600}, {0400, 0400}, {0604, 0600}};
    for (const auto &c : cases) {
        TempFolder dir;
        WriteFile(dir / "db", "records");
        ASSERT_EQ(::chmod((dir / "db").c_str(), c.file), 0);
        // An existing archive's wider bits must not survive either.
        WriteFile(dir / "db.zst", "old");
        ASSERT_EQ(::chmod((dir / "db.zst").c_str(), 0666), 0);
        ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "db.zst").c_str()), BACKUP_OK);
        EXPECT_EQ(Mode(dir / "db.zst"), c.archive) << std::oct << "file mode " << c.file;
    }
}

TEST(Permissions, RestoredFileIsOwnerOnly)
{
    TempFolder dir;
    WriteFile(dir / "db", "records");
    ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "db.zst").c_str()), BACKUP_OK);
    WriteFile(dir / "restored", "old");
    ASSERT_EQ(::chmod((dir / "restored").c_str(), 0644), 0);
    ASSERT_EQ(UnZip((dir / "db.zst").c_str(), (dir / "restored").c_str()), BACKUP_OK);
    EXPECT_EQ(Mode(dir / "restored"), 0600u);
}

// A full disk or a failing write, simulated with a file size limit in a child
// process: the operation fails and what was there before stays.
TEST(WriteFailure, LeavesThePreviousOutputAndNoTemporaryFile)
{
    TempFolder dir;
    const Bytes data = RandomBytes(2 << 20);
    WriteFile(dir / "db", data);
    ASSERT_EQ(Zip((dir / "db").c_str(), (dir / "good.zst").c_str()), BACKUP_OK);
    WriteFile(dir / "db.zst", "previous archive");
    WriteFile(dir / "restored", "previous database");
    const auto before = dir.Listing();

    const struct {
        const char *name;
        std::function<int()> call;
        const char *untouched;
        const char *contents;
    } cases[] = {
        {"Zip", [&] { return Zip((dir / "db").c_str(), (dir / "db.zst").c_str()); }, "db.zst", "previous archive"},
        {"UnZip", [&] { return UnZip((dir / "good.zst").c_str(), (dir / "restored").c_str()); }, "restored", "previous database"},
    };
    for (const auto &c : cases) {
        for (const rlim_t limit : {rlim_t{0}, rlim_t{1000}, rlim_t{1 << 20}}) {
            SCOPED_TRACE(std::string(c.name) + " limited to " + std::to_string(limit) + " bytes");
            EXPECT_EQ(WithFileSizeLimit(limit, c.call), BACKUP_WRITE_FAILED);
            EXPECT_EQ(ReadFile(dir / c.untouched), c.contents);
            EXPECT_EQ(dir.Listing(), before);
        }
    }
}

// Streams the comparison so the test itself stays small in memory.
bool SameContents(const std::string &a, const std::string &b)
{
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::vector<char> ba(1 << 20), bb(1 << 20);
    while (fa && fb) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount() || std::memcmp(ba.data(), bb.data(), static_cast<size_t>(fa.gcount())) != 0)
            return false;
    }
    return fa.eof() && fb.eof();
}

// Runs `call` in a child and returns its result and peak memory in KiB.
std::pair<int, long> MeasuredInChild(const std::function<int()> &call)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(call());
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

// Past 4 GiB, sizes and offsets no longer fit 32 bits. The file is sparse so
// it is quick to make; data at both ends shows nothing was dropped.
TEST(LargeFile, PastFourGiBRoundTripsInFlatMemory)
{
#ifdef NOLVZIP_SANITIZE
    GTEST_SKIP() << "too slow under the sanitizers; the normal build runs it";
#endif
    TempFolder dir;
    const off_t size = (off_t{4} << 30) + (3 << 20) + 17;
    {
        const int fd = ::open((dir / "db").c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        const Bytes head = DatabaseLike(1 << 20), tail = RandomBytes(3 << 20);
        ASSERT_EQ(::pwrite(fd, head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
        ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), size - static_cast<off_t>(tail.size())),
                  static_cast<ssize_t>(tail.size()));
        ::close(fd);
    }
    const auto [zipped, zipMemory] = MeasuredInChild([&] { return Zip((dir / "db").c_str(), (dir / "db.zst").c_str()); });
    ASSERT_EQ(zipped, BACKUP_OK);
    const auto [restored, unzipMemory] =
        MeasuredInChild([&] { return UnZip((dir / "db.zst").c_str(), (dir / "restored").c_str()); });
    ASSERT_EQ(restored, BACKUP_OK);
    EXPECT_EQ(std::filesystem::file_size(dir / "restored"), static_cast<uintmax_t>(size));
    EXPECT_TRUE(SameContents(dir / "db", dir / "restored"));
    EXPECT_LT(zipMemory, 64 * 1024);
    EXPECT_LT(unzipMemory, 64 * 1024);
}

} // namespace
