#include "PathRules.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char *path;
    const char *folder;
    const char *archiveName;  // extension changed to ".nolvzip"
    const char *restoredName; // extension removed
};

const PathCase kCases[] = {
    {R"(C:\Quarvel\Database\data.gdb)", R"(C:\Quarvel\Database\)", R"(C:\Quarvel\Database\data.nolvzip)",
     R"(C:\Quarvel\Database\data)"},
    {R"(C:\backup\data)", R"(C:\backup\)", R"(C:\backup\data.nolvzip)", R"(C:\backup\data)"},
    {R"(C:\old.dir\data)", R"(C:\old.dir\)", R"(C:\old.dir\data.nolvzip)", R"(C:\old.dir\data)"},
    {R"(C:\x\data.gdb.nolvzip)", R"(C:\x\)", R"(C:\x\data.gdb.nolvzip)", R"(C:\x\data.gdb)"},
    {"", "", ".nolvzip", ""},
    {"C:data.gdb", "C:", "C:data.nolvzip", "C:data"},
    {"C:", "C:", "C:.nolvzip", "C:"},
    {"data", "", "data.nolvzip", "data"},
    {".profile", "", ".nolvzip", ""},
    {"data.", "", "data.nolvzip", "data"},
    {"/home/ana/base.v2/data", "/home/ana/base.v2/", "/home/ana/base.v2/data.nolvzip", "/home/ana/base.v2/data"},
    {"/home/ana/data.gdb", "/home/ana/", "/home/ana/data.nolvzip", "/home/ana/data"},
    {"base.v2/", "base.v2/", "base.v2/.nolvzip", "base.v2/"},
    {R"(mixed/dir.d\file)", R"(mixed/dir.d\)", R"(mixed/dir.d\file.nolvzip)", R"(mixed/dir.d\file)"},
    {"C:\\d\u00e9j\u00e0.vu\\fich\u00e9.gdb", "C:\\d\u00e9j\u00e0.vu\\", "C:\\d\u00e9j\u00e0.vu\\fich\u00e9.nolvzip",
     "C:\\d\u00e9j\u00e0.vu\\fich\u00e9"},
};

TEST(PathRules, FolderAndExtensionOverATableOfPaths)
{
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(paths::FolderOf(c.path), c.folder);
        EXPECT_EQ(paths::ChangeExtension(c.path, ".nolvzip"), c.archiveName);
        EXPECT_EQ(paths::ChangeExtension(c.path, ""), c.restoredName);
    }
}

} // namespace
