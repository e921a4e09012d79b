#pragma once

// Starting whole programs from the tests (POSIX).

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qv::test {

// Starts `args` (the first a path) with exactly the environment `env`, in `folder` (the
// caller's when empty), its standard output and error into the files `out` and `err`.
inline pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& env,
                   const std::filesystem::path& out, const std::filesystem::path& err,
                   const std::filesystem::path& folder = {}) {
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(127);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return child;
}

// The exit status of a child that ended (waiting for it), -1 when it did not exit by itself.
inline int ExitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace qv::test
