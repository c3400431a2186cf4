#include "OperationTestSupport.h"
#include "UnzipOperation.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using scripted::Call;

const std::string kOldRestored = "the file the user had at the restored path";
const std::string kStaleCopy = "a floppy copy left by an earlier restore";

struct Case {
    const char *name;
    bool fromFloppy;
    std::string fileToUnzip, restored;
    std::deque<int> fetch, unzip;
    std::string message; // "" when the operation completes
    std::vector<Call> calls;
    std::set<std::string> programFiles, dataFiles;
    std::string restoredContent; // "" when the restored path is not checked
};

void PrintTo(const Case &c, std::ostream *out) { *out << c.name; }

class UnzipOperationTest : public OperationTest, public ::testing::WithParamInterface<Case> {};

TEST_P(UnzipOperationTest, RunsItsStepsAndLeavesTheExpectedFiles)
{
    const Case &c = GetParam();
    WriteFile(data / "archive.nolvzip", "an archive");
    WriteFile(data / "data.gdb", kOldRestored);
    ::mkdir((data / "folder").c_str(), 0700);
    if (c.fromFloppy && !c.fetch.empty())
        WriteFile(program / "deziptemp", kStaleCopy);
    scripted::Script("FloppyToDisk", c.fetch);
    scripted::Script("UnZip", c.unzip);

    EXPECT_EQ(MessageOf([&] { UnzipOperation(Expand(c.fileToUnzip), Expand(c.restored), c.fromFloppy, program.Path()); }),
              Expand(c.message));
    EXPECT_EQ(scripted::Calls(), ExpandCalls(c.calls));
    EXPECT_EQ(program.Listing(), c.programFiles);
    EXPECT_EQ(data.Listing(), c.dataFiles);
    if (!c.restoredContent.empty()) {
        EXPECT_EQ(ReadFile(Expand(c.restored)), Expand(c.restoredContent));
    }
}

const std::string kRestoredFromNamed = "restored from {dir}archive.nolvzip";
const std::string kRestoredFromFloppy = "restored from {pf}deziptemp";
const std::set<std::string> kDataFiles{"archive.nolvzip", "data.gdb", "folder"};
const std::set<std::string> kDataFilesWithTemp{"archive.nolvzip", "data.gdb", "folder", "data.gdbunZipTemp"};

INSTANTIATE_TEST_SUITE_P(
    Roads, UnzipOperationTest,
    ::testing::Values(
        Case{"NamedFirstExtraction", false, "{dir}archive.nolvzip", "{dir}data.gdb", {}, {}, "",
             {{"UnZip", "{dir}archive.nolvzip", "{dir}data.gdb"}}, {}, kDataFiles, kRestoredFromNamed},
        Case{"FloppyFirstExtractionKeepsTheFloppyCopy", true, "{dir}ignored", "{dir}data.gdb", {}, {}, "",
             {{"FloppyToDisk", "{pf}deziptemp", "a:"}, {"UnZip", "{pf}deziptemp", "{dir}data.gdb"}},
             {"deziptemp"}, kDataFiles, kRestoredFromFloppy},
        Case{"NamedSecondExtractionIsCopiedOverTheRestoredPath", false, "{dir}archive.nolvzip", "{dir}data.gdb", {},
             {4}, "",
             {{"UnZip", "{dir}archive.nolvzip", "{dir}data.gdb"},
              {"UnZip", "{dir}archive.nolvzip", "{dir}data.gdbunZipTemp"}},
             {}, kDataFiles, kRestoredFromNamed},
        Case{"FloppySecondExtractionDeletesTheFloppyCopy", true, "", "{dir}data.gdb", {}, {4}, "",
             {{"FloppyToDisk", "{pf}deziptemp", "a:"},
              {"UnZip", "{pf}deziptemp", "{dir}data.gdb"},
              {"UnZip", "{pf}deziptemp", "{dir}data.gdbunZipTemp"}},
             {}, kDataFiles, kRestoredFromFloppy}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Failures, UnzipOperationTest,
    ::testing::Values(
        Case{"FailedFetchStopsBeforeRestoringAStaleCopy", true, "", "{dir}data.gdb", {6}, {},
             "Impossible de copier le fichier de la disquette vers {pf}deziptemp",
             {{"FloppyToDisk", "{pf}deziptemp", "a:"}}, {"deziptemp"}, kDataFiles, kOldRestored},
        Case{"BothExtractionsFailFromANamedArchive", false, "{dir}archive.nolvzip", "{dir}data.gdb", {}, {4, 4},
             "Impossible de dézipper le fichier {dir}archive.nolvzip en {dir}data.gdbunZipTemp",
             {{"UnZip", "{dir}archive.nolvzip", "{dir}data.gdb"},
              {"UnZip", "{dir}archive.nolvzip", "{dir}data.gdbunZipTemp"}},
             {}, kDataFiles, kOldRestored},
        Case{"BothExtractionsFailFromTheFloppy", true, "", "{dir}data.gdb", {}, {4, 4},
             "Impossible de dézipper le fichier {pf}deziptemp en {dir}data.gdbunZipTemp",
             {{"FloppyToDisk", "{pf}deziptemp", "a:"},
              {"UnZip", "{pf}deziptemp", "{dir}data.gdb"},
              {"UnZip", "{pf}deziptemp", "{dir}data.gdbunZipTemp"}},
             {"deziptemp"}, kDataFiles, kOldRestored},
        Case{"FailedCopyKeepsTheTemporaryFile", true, "", "{dir}folder", {}, {4},
             "Impossible de copier le fichier {dir}folderunZipTemp vers {dir}folder",
             {{"FloppyToDisk", "{pf}deziptemp", "a:"},
              {"UnZip", "{pf}deziptemp", "{dir}folder"},
              {"UnZip", "{pf}deziptemp", "{dir}folderunZipTemp"}},
             {}, {"archive.nolvzip", "data.gdb", "folder", "folderunZipTemp"}, ""}),
    [](const auto &info) { return std::string(info.param.name); });

// An empty restored path leaves the temporary as a bare name in the current folder.
TEST_F(OperationTest, EmptyRestoredPathFailsTheCopyWithATrailingSpace)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(data.Path());
    scripted::Script("UnZip", {4});
    const std::string message = MessageOf([&] { UnzipOperation("archive", "", false, program.Path()); });
    std::filesystem::current_path(previous);

    EXPECT_EQ(message, "Impossible de copier le fichier unZipTemp vers ");
    EXPECT_EQ(scripted::Calls(), (std::vector<Call>{{"UnZip", "archive", ""}, {"UnZip", "archive", "unZipTemp"}}));
    EXPECT_EQ(data.Listing(), std::set<std::string>{"unZipTemp"});
}

} // namespace
