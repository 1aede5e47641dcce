// Runs tobrisk-cli as a child process, for the tests that drive it from outside.
#pragma once

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#define TOBRISK_CLI_PROCESS 1

struct CliRun {
    bool exitedWithZero;
    long peakKilobytes;
};

// Standard input from `in`, standard output to `out`; standard error to `err`, or into `out`
// as well when `err` is empty.
inline CliRun runCliProcess(const std::vector<std::string>& args, const std::filesystem::path& in,
                            const std::filesystem::path& out, const std::filesystem::path& err) {
    pid_t pid = fork();
    if (pid == 0) {
        int fin = open(in.c_str(), O_RDONLY);
        int fout = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int ferr = err.empty() ? fout : open(err.c_str(), O_WRONLY);
        dup2(fin, 0);
        dup2(fout, 1);
        dup2(ferr, 2);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, usage.ru_maxrss};
}
#endif
