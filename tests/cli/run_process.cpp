#include "run_process.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace {

void ThrowIf(bool failed, const char* what) {
    if (failed) {
        throw std::runtime_error(what);
    }
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& arguments) {
    int outPipe[2];
    int errPipe[2];
    ThrowIf(pipe(outPipe) != 0 || pipe(errPipe) != 0, "pipe");

    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    ThrowIf(child < 0, "fork");
    if (child == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(outPipe[1]);
        close(errPipe[0]);
        close(errPipe[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);

    // Both pipes are read as data arrives, so a long output cannot block the child.
    ProcessResult result;
    pollfd pipes[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        ThrowIf(poll(pipes, 2, -1) < 0, "poll");
        for (int i = 0; i < 2; ++i) {
            if (pipes[i].fd < 0 || pipes[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t count = read(pipes[i].fd, buffer, sizeof buffer);
            if (count > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(count));
            } else {
                close(pipes[i].fd);
                pipes[i].fd = -1;
                --open;
            }
        }
    }

    int status = 0;
    ThrowIf(waitpid(child, &status, 0) != child, "waitpid");
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
