#ifndef _WIN32

#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace tc::test {

ChildProcess::ChildProcess(const std::function<int(int reportFd)>& body) {
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        int code = body(fds[1]);
        _exit(code);
    }
    close(fds[1]);
    if (pid_ < 0) {
        close(fds[0]);
        return;
    }
    readFd_ = fds[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !waited_) {
        ::kill(pid_, SIGKILL);
        wait();
    }
    if (readFd_ >= 0)
        close(readFd_);
}

void ChildProcess::kill(int signal) {
    if (pid_ > 0 && !waited_)
        ::kill(pid_, signal);
}

int ChildProcess::wait() {
    if (pid_ <= 0)
        return -1;
    if (!waited_) {
        while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
        waited_ = true;
    }
    if (WIFEXITED(status_))
        return WEXITSTATUS(status_);
    if (WIFSIGNALED(status_))
        return 128 + WTERMSIG(status_);
    return -1;
}

std::string ChildProcess::report() {
    std::string out;
    if (readFd_ < 0)
        return out;
    char buf[4096];
    for (;;) {
        ssize_t n = read(readFd_, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        out.append(buf, std::size_t(n));
    }
    return out;
}

bool sendAll(int fd, const void* bytes, std::size_t size) {
    const char* p = static_cast<const char*>(bytes);
    while (size > 0) {
        ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= std::size_t(n);
    }
    return true;
}

bool sendText(int fd, const std::string& text) {
    return sendAll(fd, text.data(), text.size());
}

std::string runInChild(const std::function<int(int reportFd)>& body, int* exitCode) {
    ChildProcess child(body);
    // Read before waiting: a long report must not block the child on a full pipe.
    std::string out = child.report();
    int code = child.wait();
    if (exitCode)
        *exitCode = code;
    return out;
}

} // namespace tc::test

#endif
