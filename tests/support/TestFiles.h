// Real temporary folders, whole-file reads and writes, and a full-disk
// harness, shared by the tests that work on real files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test_files {

using Bytes = std::string;

// A real folder under TMPDIR, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/nolvzip-test-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        path_ += '/';
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // The folder, ending in "/".
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + name; }

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

} // namespace test_files
