// timeclock-report: the week report for payroll, from the core alone.
#include "cli/ReportCommand.h"
#include "core/files/FileAccess.h"
#include "core/format/CodePage.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>

namespace {

tc::DateTime localNow() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tc::makeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

// Arguments arrive in the ANSI code page on Windows; the core speaks UTF-8.
std::string argument(const char* arg) {
#ifdef _WIN32
    return tc::ansiToUtf8(arg);
#else
    return arg;
#endif
}

std::string programFolder(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = fs::absolute(fs::path(argv0), ec); // narrow text is the ANSI code page there
    const std::u8string folder = self.parent_path().u8string();
    return std::string(folder.begin(), folder.end());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(argument(argv[i]));
    return tc::ReportCommand::run(args, programFolder(argv[0]), localNow(), tc::realFiles(), std::cout,
                                  std::cerr);
}
