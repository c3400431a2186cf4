// What the operations need from the operating system: the running program's
// file name, deleting a file, and copying one. Paths are 8-bit strings.
#pragma once

#include <string>

namespace platform {

// Full path of the running executable; empty when it cannot be read.
std::string ModuleFileName();

// Removes the regular file or link at `path`. Never removes a folder.
// Returns whether a file was removed.
bool DeleteFile(const std::string &path);

// Copies `existingFileName` to `newFileName`. Returns non-zero on success and
// zero on failure. With `failIfExists` zero an existing target is overwritten.
// The copy goes to a temporary file beside the target that is renamed over it
// at the end, so a failed copy leaves an existing target exactly as it was.
int CopyFileA(const char *existingFileName, const char *newFileName, int failIfExists);

// Whether the current user may create files in `folder`.
bool IsWritableFolder(const std::string &folder);

} // namespace platform
