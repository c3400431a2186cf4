// The error an operation raises at its first failing step; its text is the
// message shown to the user, exactly.
#pragma once

#include <stdexcept>
#include <string>

class OperationError : public std::runtime_error {
public:
    explicit OperationError(const std::string &message) : std::runtime_error(message) {}
};
