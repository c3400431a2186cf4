#include "OperationTestSupport.h"
#include "ZipOperation.h"

namespace {

using scripted::Call;

class ZipOperationTest : public OperationTest {};

TEST_F(ZipOperationTest, NamedArchiveIsWrittenAndNothingIsDeleted)
{
    WriteFile(program / "ziptemp", "left by an earlier run");
    EXPECT_EQ(MessageOf([&] { ZipOperation(data / "data.gdb", data / "data.nolvzip", false, program.Path()); }), "");
    EXPECT_EQ(scripted::Calls(), ExpandCalls({{"Zip", "{dir}data.gdb", "{dir}data.nolvzip"}}));
    EXPECT_EQ(ReadFile(data / "data.nolvzip"), scripted::ZipContent(data / "data.gdb"));
    EXPECT_EQ(ReadFile(program / "ziptemp"), "left by an earlier run");
}

TEST_F(ZipOperationTest, FloppyRoadGoesThroughZiptempAndIgnoresTheZipFileName)
{
    EXPECT_EQ(MessageOf([&] { ZipOperation(data / "data.gdb", data / "named.nolvzip", true, program.Path()); }), "");
    EXPECT_EQ(scripted::Calls(), ExpandCalls({{"Zip", "{dir}data.gdb", "{pf}ziptemp"},
                                              {"DiskToFloppy", "{pf}ziptemp", "a:"}}));
    EXPECT_TRUE(program.Listing().empty()) << "the temporary archive is deleted";
    EXPECT_TRUE(data.Listing().empty()) << "nothing is written at the zip file name";
}

TEST_F(ZipOperationTest, FailuresRaiseTheirMessageAndStopThere)
{
    struct Case {
        const char *name;
        std::string file, zipFileName;
        bool toFloppy;
        std::deque<int> zip, floppy;
        std::string message;
        std::vector<Call> calls;
        std::set<std::string> programFiles;
    };
    const Case cases[] = {
        {"compression fails", "{dir}data.gdb", "{dir}data.nolvzip", false, {3}, {},
         "Impossible de dézipper le fichier", {{"Zip", "{dir}data.gdb", "{dir}data.nolvzip"}}, {}},
        {"compression to the floppy fails", "{dir}data.gdb", "", true, {-1}, {},
         "Impossible de dézipper le fichier", {{"Zip", "{dir}data.gdb", "{pf}ziptemp"}}, {}},
        {"empty fields reach the library as empty strings", "", "", false, {1}, {},
         "Impossible de dézipper le fichier", {{"Zip", "", ""}}, {}},
        {"floppy copy fails and keeps the temporary archive", "{dir}data.gdb", "", true, {}, {6},
         "Impossible de copier le fichier Zipper {pf}ziptemp sur la disquette",
         {{"Zip", "{dir}data.gdb", "{pf}ziptemp"}, {"DiskToFloppy", "{pf}ziptemp", "a:"}},
         {"ziptemp"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        scripted::Reset();
        scripted::Script("Zip", c.zip);
        scripted::Script("DiskToFloppy", c.floppy);
        EXPECT_EQ(MessageOf([&] { ZipOperation(Expand(c.file), Expand(c.zipFileName), c.toFloppy, program.Path()); }),
                  Expand(c.message));
        EXPECT_EQ(scripted::Calls(), ExpandCalls(c.calls));
        EXPECT_EQ(program.Listing(), c.programFiles);
        std::filesystem::remove(program / "ziptemp");
    }
}

} // namespace
