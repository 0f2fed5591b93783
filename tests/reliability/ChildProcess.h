#pragma once

#ifndef _WIN32

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tc::test {

// A forked copy of the test process that reports to its parent over a pipe.
// The child runs `body` with the pipe's write end and then _exits with the
// body's result; it never returns into the test framework.
class ChildProcess {
  public:
    explicit ChildProcess(const std::function<int(int reportFd)>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    void kill(int signal);
    // Waits for the child; its exit code, or 128 + signal when killed.
    int wait();
    // Everything the child reported, once it has ended (call after wait()).
    std::string report();

  private:
    pid_t pid_ = -1;
    int readFd_ = -1;
    bool waited_ = false;
    int status_ = 0;
};

// Writes all of `bytes` to a pipe (children use it to report).
bool sendAll(int fd, const void* bytes, std::size_t size);
bool sendText(int fd, const std::string& text);

// Runs `body` in a child and returns what it reported; `exitCode` gets its code.
std::string runInChild(const std::function<int(int reportFd)>& body, int* exitCode = nullptr);

} // namespace tc::test

#endif
