#pragma once

#include <string>

// Backs up `fileToZip` into the archive `zipFileName`, or, with `toFloppy`,
// into a temporary archive in `programFolder` that is put on drive A: and then
// deleted. Throws OperationError with the user's message at the first failure.
void ZipOperation(const std::string &fileToZip, const std::string &zipFileName, bool toFloppy,
                  const std::string &programFolder);
