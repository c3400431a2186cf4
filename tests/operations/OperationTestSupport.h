// What the operation tests share: a program folder and a data folder, the
// scripted library reset for each test, and "{pf}" and "{dir}" in expected
// texts standing for the two folders.
#pragma once

#include "OperationError.h"
#include "ScriptedBackup.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace scripted {
inline std::ostream &operator<<(std::ostream &out, const Call &c)
{
    return out << c.function << "(\"" << c.first << "\", \"" << c.second << "\")";
}
} // namespace scripted

using namespace test_files;

class OperationTest : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }

    std::string Expand(std::string text) const
    {
        for (const auto &[key, value] : {std::pair{std::string("{pf}"), program.Path()},
                                         std::pair{std::string("{dir}"), data.Path()}}) {
            for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
                text.replace(at, key.size(), value);
        }
        return text;
    }

    std::vector<scripted::Call> ExpandCalls(const std::vector<scripted::Call> &calls) const
    {
        std::vector<scripted::Call> expanded;
        for (const auto &c : calls)
            expanded.push_back({c.function, Expand(c.first), Expand(c.second)});
        return expanded;
    }

    // Runs `operation` and returns the message it raised, or "" when it returned.
    static std::string MessageOf(const std::function<void()> &operation)
    {
        try {
            operation();
        } catch (const OperationError &e) {
            return e.what();
        }
        return "";
    }

    TempFolder program, data;
};
