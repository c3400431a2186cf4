#include "PathRules.h"

namespace paths {

namespace {
constexpr const char *kSeparators = "\\:/";
}

std::string FolderOf(const std::string &path)
{
    const auto last = path.find_last_of(kSeparators);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ChangeExtension(const std::string &path, const std::string &extension)
{
    const auto dot = path.find_last_of('.');
    const auto separator = path.find_last_of(kSeparators);
    const bool hasExtension =
        dot != std::string::npos && (separator == std::string::npos || separator < dot);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

} // namespace paths
