#pragma once

#ifndef _WIN32

#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tc::test {

// A forked copy of the test process: runs `body` with the write end of a pipe
// to its parent, then _exits with the body's result, never returning into the
// test framework. A child still running when the object goes is killed.
class ChildProcess {
  public:
    explicit ChildProcess(const std::function<int(int reportFd)>& body) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        if ((pid_ = fork()) == 0)
            _exit(body(fds[1]));
        close(fds[1]);
        fd_ = fds[0];
    }
    ~ChildProcess() {
        kill();
        wait();
        close(fd_);
    }

    int fd() const { return fd_; }
    void kill() {
        if (pid_ > 0 && status_ < 0)
            ::kill(pid_, SIGKILL);
    }
    // The child's exit code, or 128 + the signal that ended it.
    int wait() {
        while (pid_ > 0 && status_ < 0 && waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
        return WIFSIGNALED(status_) ? 128 + WTERMSIG(status_) : WEXITSTATUS(status_);
    }
    // What the child sent, read to the end (a long report never blocks it).
    std::string report() {
        std::string out;
        char buf[4096];
        for (ssize_t n; (n = read(fd_, buf, sizeof buf)) > 0;)
            out.append(buf, std::size_t(n));
        return out;
    }

  private:
    pid_t pid_ = -1;
    int fd_ = -1;
    int status_ = -1;
};

// What `work` returns in a child that first makes `condition` (when given)
// for itself; nothing when the condition cannot be made here, which the case
// `what` says it skips.
inline std::optional<std::string> inChild(const char* what, int (*condition)(),
                                          const std::function<std::string()>& work) {
    ChildProcess child([&](int fd) {
        if (condition && condition() != 0)
            return 77;
        const std::string said = work();
        return write(fd, said.data(), said.size()) == ssize_t(said.size()) ? 0 : 1;
    });
    const std::string said = child.report();
    const int code = child.wait();
    if (code == 77) {
        std::printf("[  SKIPPED ] %s: cannot be set up here\n", what);
        return std::nullopt;
    }
    return code == 0 ? said : said + " (the child ended with " + std::to_string(code) + ")";
}

// Conditions: a full disk (no file may grow), and a user without the right
// to write where the test's files are (root, which may write anywhere, only
// when it can become nobody).
inline int diskFull() {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit none{0, 0};
    return setrlimit(RLIMIT_FSIZE, &none);
}
inline int unprivileged() {
    return getuid() == 0 ? setgid(65534) | setuid(65534) : 0;
}

} // namespace tc::test

#endif
