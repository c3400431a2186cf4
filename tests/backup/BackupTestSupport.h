// Data makers and checks shared by the archive library's tests.
#pragma once

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace backup_test {

using namespace test_files;

inline mode_t Mode(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

inline std::string Quote(const std::string &s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command and returns its exit status (-1 if it did not exit).
inline int Shell(const std::string &command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Deterministic bytes that do not compress.
inline Bytes RandomBytes(size_t size, uint64_t seed = 1)
{
    Bytes out(size, '\0');
    uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
    for (size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        out[i] = static_cast<char>(x >> 24);
    }
    return out;
}

// Pages of records much like a small database: ids, names, dates, amounts,
// and some unused space at the end of each page.
inline Bytes DatabaseLike(size_t size)
{
    static const char *names[] = {"Alvarez", "Brandt", "Chen", "Dubois", "Eriksen", "Fischer", "Garcia"};
    static const char *cities[] = {"Lyon", "Porto", "Graz", "Turku", "Leeds"};
    Bytes out;
    out.reserve(size + 4096);
    uint64_t x = 12345;
    unsigned id = 1;
    while (out.size() < size) {
        Bytes page(4096, '\0');
        size_t at = 16;
        while (at + 96 < 4096 - (x % 600)) {
            x = x * 6364136223846793005ull + 1442695040888963407ull;
            char record[96];
            const int n = std::snprintf(record, sizeof record, "%08u|%s|%s|20%02u-%02u-%02u|%10.2f|",
                                        id++, names[(x >> 33) % 7], cities[(x >> 40) % 5],
                                        static_cast<unsigned>((x >> 20) % 25), static_cast<unsigned>((x >> 12) % 12 + 1),
                                        static_cast<unsigned>((x >> 5) % 28 + 1), static_cast<double>((x >> 30) % 10000000) / 100);
            page.replace(at, static_cast<size_t>(n), record, static_cast<size_t>(n));
            at += 96;
        }
        out += page;
    }
    out.resize(size);
    return out;
}

} // namespace backup_test
