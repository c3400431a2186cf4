#pragma once

#include <string>

// Restores `restoredPath` from the archive `fileToUnzip`, or, with
// `fromFloppy`, from the archive on drive A: fetched into `programFolder`.
// When extracting onto the path fails, extracts beside it and copies over it.
// Throws OperationError with the user's message at the first failure.
void UnzipOperation(const std::string &fileToUnzip, const std::string &restoredPath, bool fromFloppy,
                    const std::string &programFolder);
