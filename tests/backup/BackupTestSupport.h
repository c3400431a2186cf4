// Temp folders, file helpers and a fault harness shared by the archive library's tests.
#pragma once

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

using Bytes = std::string;

// A real folder under TMPDIR, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/nolvzip-backup-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    std::string operator/(const std::string &name) const { return path_ + "/" + name; }
    const std::string &Path() const { return path_; }

    // The names in the folder, hidden temporary files included.
    std::set<std::string> Listing() const
    {
        std::set<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(path_))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::string path_;
};

inline void WriteFile(const std::string &path, const Bytes &data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

inline Bytes ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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

// Runs `body` in a child process whose files may not grow past `limit`
// bytes, so writes past it fail with EFBIG as on a full disk. Returns the
// body's result, or -1 if the child did not exit normally.
inline int WithFileSizeLimit(rlim_t limit, const std::function<int()> &body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sets an environment variable for the scope, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const std::string &name, const char *value) : name_(name)
    {
        if (const char *old = std::getenv(name.c_str()))
            old_ = old, had_ = true;
        if (value)
            ::setenv(name.c_str(), value, 1);
        else
            ::unsetenv(name.c_str());
    }
    ~ScopedEnv()
    {
        if (had_)
            ::setenv(name_.c_str(), old_.c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    std::string name_;
    std::string old_;
    bool had_ = false;
};

} // namespace backup_test
