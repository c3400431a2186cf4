// How the program reads paths typed by the user. "\", ":" and "/" all end a
// folder part, so a path written for either family of systems is understood.
#pragma once

#include <string>

namespace paths {

// Everything up to and including the last separator; empty when there is none.
std::string FolderOf(const std::string &path);

// Replaces the extension (from the last "." that no separator follows) with
// `extension`, which may be empty; a path without one gets `extension` appended.
std::string ChangeExtension(const std::string &path, const std::string &extension);

} // namespace paths
