// Every step of every writer failing, once or for good: the file it was
// writing stays as it was and the person is told which file and why. Its
// journal failing afterwards never undoes or refuses the write.

#include "Scenario.h"
#include "core/files/Paths.h"
#include "core/sheet/ListsSave.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include <thread>
#include <windows.h>
#endif

namespace tc::test {
namespace {

using Op = FaultyFiles::Op;
const char* const kOpNames[] = {"open",  "open for writing", "read",   "write",       "flush",
                                "close", "rename",           "remove", "folder flush"};

TEST(FaultMatrix, EachStepOfEachWriterFailingLeavesItsFileAndSaysWhy) {
    for (const Writer& w : kWriters) {
        // A whole run: each file written, flushed, renamed into place, its folder
        // flushed; then the new journal's lines written and flushed, its folder flushed.
        ProgramFolder twin;
        prepare(twin);
        FaultyFiles clean;
        ASSERT_EQ(w.run(clean, twin.path()), "") << w.name;
        const std::vector<std::string> twinFiles = w.files(twin.path()), after = contents(twinFiles);
        const std::string twinJournal = w.journal(twin.path());
        std::string durable, expected;
        for (const FaultyFiles::Call& c : clean.log())
            if (c.op == Op::Write || c.op == Op::Flush || c.op == Op::Rename || c.op == Op::SyncFolder)
                durable += std::string(kOpNames[int(c.op)]) + " " + c.path + "\n";
        const auto written = [](const std::string& f) { return "write " + f + "\nflush " + f + "\n"; };
        const auto renamed = [](const std::string& f) {
            return "rename " + f + "\nfolder flush " + parentFolder(f) + "\n";
        };
        // A writer with a record makes every file whole, then the record, before any rename.
        const std::string temp(kTempSuffix);
        for (const std::string& f : twinFiles)
            expected += written(f + temp) + (w.record ? "" : renamed(f));
        if (w.record) {
            expected += written(w.record(twin.path()) + temp) + renamed(w.record(twin.path()));
            for (const std::string& f : twinFiles)
                expected += renamed(f);
        }
        expected += written(twinJournal) + "folder flush " + parentFolder(twinJournal) + "\n";
        EXPECT_EQ(durable, expected) << w.name;
        // The calls of `op` in the clean run before the first one on `path`, plus one.
        // A rename is logged under its target, and may come long after the temporary file's writing.
        auto firstOn = [&](Op op, const std::string& path) {
            const std::string on = op == Op::Rename ? twinFiles.back() : path;
            const auto start = std::find_if(clean.log().begin(), clean.log().end(), [&](const auto& c) {
                return c.path == on && (op != Op::Rename || c.op == op);
            });
            return 1 +
                   int(std::count_if(clean.log().begin(), start, [op](const auto& c) { return c.op == op; }));
        };

        // The failures fall on the last file, or on the journal after it.
        for (bool journal : {false, true})
            for (Op op : {Op::OpenForWriting, Op::Write, Op::Flush, Op::Close, Op::Rename, Op::SyncFolder})
                for (bool forGood : {false, true}) {
                    if (journal && (forGood || op == Op::Rename || op == Op::SyncFolder))
                        continue;
                    SCOPED_TRACE(std::string(w.name) + ": " + (journal ? "journal " : "") +
                                 kOpNames[int(op)] + (forGood ? " for good" : " once"));
                    ProgramFolder base;
                    prepare(base);
                    const std::vector<std::string> files = w.files(base.path());
                    // Before its record a writer with one has changed nothing; a rename failing
                    // after it leaves the files before the last one new.
                    std::vector<std::string> expect = w.record && op != Op::Rename ? contents(files) : after;
                    expect.back() = readFile(files.back());
                    FaultyFiles faulty;
                    faulty.failAt(op, firstOn(op, journal ? twinJournal : twinFiles.back() + temp), forGood,
                                  "Input/output error");
                    const std::string said = w.run(faulty, base.path());
                    EXPECT_TRUE(faulty.failedAsPlanned());
                    if (journal || op == Op::SyncFolder) {
                        // The files are in place: the write is done. The employee at the station has nothing
                        // to do about a journal failing; the manager is told which journal and why.
                        std::string told =
                            "Cannot write the journal " + w.journal(base.path()) + ": Input/output error.";
                        if (!journal || std::string(w.name) == "punch")
                            told.clear();
                        EXPECT_EQ(told.empty() ? said : said.substr(0, told.size()), told) << said;
                        EXPECT_EQ(contents(files), after);
                        continue;
                    }
                    EXPECT_EQ(contents(files), expect);
                    EXPECT_NE(said.find("Cannot write " + files.back()), std::string::npos) << said;
                    EXPECT_EQ(said.find(files.back()), said.rfind(files.back())) << "named twice: " << said;
                    EXPECT_NE(said.find("Input/output error"), std::string::npos) << said;
                    if (w.record && op == Op::Rename) {
                        // Past its record the save is not undone but finished, at the next start.
                        EXPECT_NE(said.find(w.notFinished), std::string::npos) << said;
                        EXPECT_EQ(finishListSave(faulty, base.path()).isOk(), !forGood);
                        EXPECT_EQ(contents(files), forGood ? expect : after);
                        EXPECT_EQ(unsealedJournal(w.journal(base.path())),
                                  forGood ? "" : unsealedJournal(twinJournal));
                        EXPECT_EQ(fileExists(w.record(base.path())), forGood);
                        EXPECT_EQ(leftovers(base.path()), forGood ? 1 : 0);
                        continue;
                    }
                    EXPECT_TRUE(forGood || said.find(w.notStored) != std::string::npos) << said;
                    EXPECT_EQ(leftovers(base.path()), 0);
                    // Once: the next try goes through. For good: it fails again, nothing changed.
                    EXPECT_EQ(w.run(faulty, base.path()).empty(), !forGood);
                    EXPECT_EQ(contents(files), forGood ? expect : after);
                }
    }
}

#ifdef _WIN32
// A virus scanner or a backup tool holding the week file open without
// FILE_SHARE_DELETE: the replacement waits for it, or gives up saying why.
TEST(WindowsReplace, AFileHeldByAnotherHandleIsReplacedOnceFreedOrLeftAsItWas) {
    TempDir dir;
    const std::string path = dir.file("Week Ending Sunday Jan 12 2025.dat");
    writeFile(path, "old");
    auto hold = [&] {
        return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread releaser([held] { Sleep(200), CloseHandle(held); });
    const Status st = replaceFile(realFiles(), path, "new");
    releaser.join();
    EXPECT_TRUE(st) << st.message();
    EXPECT_EQ(readFile(path), "new");

    held = hold();
    const Status refused = replaceFile(realFiles(), path, "newer");
    CloseHandle(held);
    EXPECT_NE(refused.message().find(path), std::string::npos) << refused.message();
    EXPECT_EQ(readFile(path), "new");
    EXPECT_FALSE(fileExists(path + std::string(kTempSuffix)));
}
#endif

} // namespace
} // namespace tc::test
