// A stand-in for the archive library: records every call with its arguments
// and returns the results the test scripted. On success it writes the output
// file a real library would, so that the operations' copies and deletes act
// on real files.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace scripted {

struct Call {
    std::string function, first, second;
    bool operator==(const Call &) const = default;
};

// Calls made since the last Reset().
const std::vector<Call> &Calls();

// Results for the coming calls of `function`, in order; once they run out
// every call succeeds.
void Script(const std::string &function, std::deque<int> results);

void Reset();

// What a successful call writes, so a test can tell whose output a file is.
std::string ZipContent(const std::string &file);
std::string UnZipContent(const std::string &archive);
std::string FloppyContent();

} // namespace scripted
