// The writers on a hostile file system: full, read-only, a folder gone, odd
// things planted where a file or its temporary file belongs. Each is refused
// with the reason and nothing is written, made or left over; links planted
// at the temporary files are removed, never written through.

#ifndef _WIN32

#include "ChildProcess.h"
#include "Scenario.h"
#include "core/files/Paths.h"
#include "core/sheet/ListsSave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace tc::test {
namespace {

namespace fs = std::filesystem;
using Files = const std::vector<std::string>&;

// Every file and folder under `base` and what it holds.
std::map<std::string, std::string> tree(const std::string& base) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(base)) {
        const bool small = e.is_regular_file() && !e.is_symlink() && e.file_size() < 1000000;
        out[e.path().string()] =
            small ? readFile(e.path().string()) : std::to_string(int(e.symlink_status().type()));
    }
    return out;
}

std::string victim(const std::string& base) {
    return pathJoin(base, "payroll.txt");
}

void plantLinks(const std::string& base, Files files, bool hard) {
    for (const std::string& f : files)
        if (hard)
            fs::create_hard_link(victim(base), f + std::string(kTempSuffix));
        else
            fs::create_symlink(victim(base), f + std::string(kTempSuffix));
}

void chmodFolders(const std::string& base, Files files, fs::perms perms) {
    std::error_code missing;
    fs::permissions(base, perms);
    fs::permissions(parentFolder(files.back()), perms, missing);
}

TEST(HostileFiles, EveryWriterRefusesWithTheReasonOrWritesNeverThroughALink) {
    struct Row {
        const char* what;
        unsigned writers; // bit i: kWriters[i]
        void (*plant)(const std::string& base, Files files);
        int (*condition)();
        const char* said; // the reason; none when the write goes through
    };
    const Row rows[] = {
        {"disk full", 7, [](auto&, Files) {}, diskFull, "File too large"},
        {"read-only folders", 7, [](auto& base, Files f) { chmodFolders(base, f, fs::perms(0555)); },
         unprivileged, "Permission denied"},
        {"month folder removed between load and save", 2,
         [](auto&, Files f) { fs::remove_all(parentFolder(f.back())); }, nullptr, "is missing"},
        {"FIFO at the week file", 3,
         [](auto&, Files f) { fs::remove(f.back()), mkfifo(f.back().c_str(), 0666); }, nullptr,
         kNotARegularFile},
        {"link to /dev/zero at the week file", 3,
         [](auto&, Files f) { fs::remove(f.back()), fs::create_symlink("/dev/zero", f.back()); }, nullptr,
         kNotARegularFile},
        {"folder at the week file", 3,
         [](auto&, Files f) { fs::remove(f.back()), fs::create_directory(f.back()); }, nullptr,
         kNotARegularFile},
        {"3 GB sparse week file", 3, [](auto&, Files f) { fs::resize_file(f.back(), 3ull << 30); }, nullptr,
         "larger than"},
        {"symbolic links at the temporary files", 7, [](auto& base, Files f) { plantLinks(base, f, false); },
         nullptr, nullptr},
        {"hard links at the temporary files", 7, [](auto& base, Files f) { plantLinks(base, f, true); },
         nullptr, nullptr},
    };
    for (const Row& row : rows)
        for (std::size_t i = 0; i < kWriters.size(); ++i) {
            if (!(row.writers & (1u << i)))
                continue;
            const Writer& w = kWriters[i];
            SCOPED_TRACE(std::string(w.name) + ", " + row.what);
            ProgramFolder base;
            prepare(base);
            const std::vector<std::string> files = w.files(base.path());
            writeFile(victim(base.path()), "keep me");
            row.plant(base.path(), files);
            const std::map<std::string, std::string> before = tree(base.path());
            const auto said = inChild(row.condition, [&] { return w.run(realFiles(), base.path()); });
            chmodFolders(base.path(), files, fs::perms(0755));
            if (!said) {
                std::printf("[  SKIPPED ] %s: cannot be set up here\n", row.what);
                continue;
            }
            EXPECT_EQ(readFile(victim(base.path())), "keep me");
            EXPECT_EQ(leftovers(base.path()), 0);
            if (!row.said) {
                EXPECT_EQ(*said, "");
                continue;
            }
            EXPECT_NE(said->find(row.said), std::string::npos) << *said;
            EXPECT_TRUE(std::any_of(files.begin(), files.end(), [&](auto& f) {
                return said->find(f) != std::string::npos;
            })) << *said;
            EXPECT_EQ(tree(base.path()), before);
        }
}

// A record of an unfinished list save that cannot be trusted is named and
// never acted on: no rename, no journal line, the temporary files kept.
TEST(HostileFiles, AListSaveRecordThatIsNotSoundIsReportedAndLeftAlone) {
    const std::string sound = "timeclock-lists-saving\t1\nend\n";
    const struct {
        const char* what;
        void (*plant)(const std::string& record, const std::string& sound);
        const char* said;
    } kRows[] = {
        {"garbage", [](auto& r, auto&) { writeFile(r, "\x01\x02 not a record"); }, "it is damaged"},
        {"cut short", [](auto& r, auto& ok) { writeFile(r, ok.substr(0, ok.size() - 2)); }, "it is damaged"},
        {"a line cut short", [](auto& r, auto&) { writeFile(r, "timeclock-lists-saving\t1\nlists\tend\n"); },
         "it is damaged"},
        {"over 1 MB",
         [](auto& r, auto& ok) {
             writeFile(r, ok.substr(0, ok.size() - 4) + std::string(1 << 20, '\n') + "end\n");
         },
         "larger than 1048576 bytes"},
        {"a folder", [](auto& r, auto&) { fs::create_directory(r); }, "not a regular file"},
        {"a pipe", [](auto& r, auto&) { mkfifo(r.c_str(), 0666); }, "not a regular file"},
        {"a link to a sound record",
         [](auto& r, auto& ok) {
             writeFile(r + ".elsewhere", ok);
             fs::create_symlink(r + ".elsewhere", r);
         },
         "it is a link"},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.what);
        ProgramFolder base;
        prepare(base);
        const Writer& w = kWriters[2];
        const std::string record = w.record(base.path());
        writeFile(w.files(base.path()).back() + std::string(kTempSuffix), "300,New job\r\n");
        row.plant(record, sound);
        const std::map<std::string, std::string> before = tree(base.path());
        const Status st = finishListSave(realFiles(), base.path());
        EXPECT_EQ(st.message().find("An unfinished list save left " + record + ", but "), 0u) << st.message();
        EXPECT_NE(st.message().find(row.said), std::string::npos) << st.message();
        EXPECT_NE(st.message().find("The lists were left as they are"), std::string::npos) << st.message();
        EXPECT_EQ(tree(base.path()), before);
    }
}

} // namespace
} // namespace tc::test

#endif
