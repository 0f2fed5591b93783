// The writers on a hostile file system: full, read-only, a folder gone, odd
// things planted where a file or its temporary file belongs. Each is refused
// with the reason and nothing is written, made or left over; links planted
// at the temporary files are removed, never written through. A record of an
// unfinished list save that cannot be trusted is named and never acted on at
// the next start: no rename, no journal line, the temporary files kept.

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
const std::string kSoundRecord = "timeclock-lists-saving\t1\nend\n";

// Every file and folder under `base` and what it holds.
std::map<std::string, std::string> tree(const std::string& base) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(base))
        out[e.path().string()] = e.is_regular_file() && e.file_size() < 1000000
                                     ? readFile(e.path().string())
                                     : std::to_string(int(e.symlink_status().type()));
    return out;
}

// A symbolic link at the first file's temporary file, hard links at the others'.
void plantLinks(const std::string& base, Files files) {
    fs::create_symlink(pathJoin(base, "payroll.txt"), files[0] + std::string(kTempSuffix));
    for (std::size_t i = 1; i < files.size(); ++i)
        fs::create_hard_link(pathJoin(base, "payroll.txt"), files[i] + std::string(kTempSuffix));
}

void chmodFolders(const std::string& base, Files files, fs::perms perms) {
    std::error_code missing;
    fs::permissions(base, perms);
    fs::permissions(parentFolder(files.back()), perms, missing);
}

TEST(HostileFiles, EveryWriterRefusesWithTheReasonOrWritesNeverThroughALink) {
    struct Row {
        const char* what;
        unsigned writers; // bit i: kWriters[i], bit 3: nextStart
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
        {"FIFO at the file", 11, [](auto&, Files f) { fs::remove(f.back()), mkfifo(f.back().c_str(), 0666); },
         nullptr, kNotARegularFile},
        {"folder at the file", 11,
         [](auto&, Files f) { fs::remove(f.back()), fs::create_directory(f.back()); }, nullptr,
         kNotARegularFile},
        {"3 GB sparse file", 11,
         [](auto&, Files f) { writeFile(f.back(), ""), fs::resize_file(f.back(), 3ull << 30); }, nullptr,
         "larger than"},
        {"links at the temporary files", 7, plantLinks, nullptr, nullptr},
        {"garbage record", 8,
         [](auto&, Files f) { writeFile(f[0], "\x01\x02 garbage, not a list save record\nend\n"); }, nullptr,
         ", but it is damaged. The lists were left as they are: check them in the list editor, then delete "},
        {"record cut short", 8,
         [](auto&, Files f) { writeFile(f[0], "timeclock-lists-saving\t1\nlists\t2\nempl"); }, nullptr,
         "it is damaged"},
        {"record with a line cut short", 8,
         [](auto&, Files f) { writeFile(f[0], "timeclock-lists-saving\t1\nlists\tend\n"); }, nullptr,
         "it is damaged"},
        {"link to a sound record", 8,
         [](auto&, Files f) {
             writeFile(f[0] + ".elsewhere", kSoundRecord), fs::create_symlink(f[0] + ".elsewhere", f[0]);
         },
         nullptr, "it is a link"},
    };
    // The next start after a list save stopped past its record: it finishes the save.
    Writer nextStart = kWriters[2];
    nextStart.name = "next start";
    nextStart.files = [](auto& base) -> Paths { return {listsSavingPath(base)}; };
    nextStart.run = [](FileAccess& f, auto& base) { return finishListSave(f, base).message(); };
    for (const Row& row : rows)
        for (std::size_t i = 0; i < 4; ++i) {
            const Writer& w = i < 3 ? kWriters[i] : nextStart;
            if (!(row.writers & (1u << i)))
                continue;
            SCOPED_TRACE(std::string(w.name) + ", " + row.what);
            ProgramFolder base;
            prepare(base);
            const std::vector<std::string> files = w.files(base.path());
            const std::string victim = pathJoin(base.path(), "payroll.txt"); // what links lead to
            writeFile(victim, "keep me");
            if (&w == &nextStart) // a list's new bytes, to be renamed into place
                writeFile(jobListPath(base.path()) + std::string(kTempSuffix), "300,New job\r\n");
            row.plant(base.path(), files);
            const std::map<std::string, std::string> before = tree(base.path());
            const auto said =
                inChild(row.what, row.condition, [&] { return w.run(realFiles(), base.path()); });
            chmodFolders(base.path(), files, fs::perms(0755));
            if (!said)
                continue;
            EXPECT_EQ(readFile(victim), "keep me");
            EXPECT_EQ(leftovers(base.path()), &w == &nextStart);
            if (!row.said) {
                EXPECT_EQ(*said, "");
                continue;
            }
            EXPECT_NE(said->find(row.said), std::string::npos) << *said;
            EXPECT_NE(std::min(said->find(files[0]), said->find(files.back())), std::string::npos) << *said;
            EXPECT_EQ(tree(base.path()), before);
        }
}

} // namespace
} // namespace tc::test

#endif
