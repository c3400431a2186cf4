#pragma once

#include <string>

// The folder that holds the operations' temporary archives: the running
// program's folder, ending in a separator. When the program is installed
// where its users cannot write, a per-user folder stands in for it
// ($XDG_CACHE_HOME/NOLVZip/, by default ~/.cache/NOLVZip/), created on demand.
std::string ProgramFolder();

// The same for a program whose full file name is `moduleFileName`.
std::string ProgramFolderOf(const std::string &moduleFileName);
