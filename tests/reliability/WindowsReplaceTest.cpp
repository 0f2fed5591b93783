// Windows only: a week file held open for a moment by another program (a
// virus scanner, a backup tool, the time sheet's reader) without
// FILE_SHARE_DELETE makes MoveFileEx fail with a sharing violation; the punch
// waits for it instead of being lost.
#ifdef _WIN32

#include "data/FileAccess.h"
#include "data/WeekFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

namespace tc::test {
namespace {

std::wstring wide(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

TEST(WindowsReplace, FileHeldBrieflyByAnotherHandleIsReplacedOnceFreed) {
    TempDir dir;
    const std::string path = dir.file("Week Ending Sunday Jan 12 2025.dat");
    ASSERT_NE(path.find('\\'), std::string::npos); // a real Windows path
    writeFile(path, "old");

    HANDLE held = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread releaser([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        CloseHandle(held);
    });
    const auto started = std::chrono::steady_clock::now();
    const Status st = replaceFile(realFiles(), path, "new");
    const auto took = std::chrono::steady_clock::now() - started;
    releaser.join();
    ASSERT_TRUE(st) << st.message();
    EXPECT_EQ(readFile(path), "new");
    EXPECT_FALSE(fileExists(path + std::string(kTempSuffix)));
    std::printf("[ reliability ] replacement waited %lld ms for the other handle\n",
                (long long)std::chrono::duration_cast<std::chrono::milliseconds>(took).count());

    // Held for good: the replacement gives up with the reason, the file is as it was.
    held = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Status refused = replaceFile(realFiles(), path, "newer");
    CloseHandle(held);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.message().find(path), std::string::npos) << refused.message();
    EXPECT_EQ(readFile(path), "new");
    EXPECT_FALSE(fileExists(path + std::string(kTempSuffix)));
}

} // namespace
} // namespace tc::test

#endif
