#include "data/WeekFile.h"
#include "data/Paths.h"
#include "data/TimeRecord.h"
#include "support/FaultyFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tc;
using namespace tc::test;
using F = TimeRecord::Field;

namespace {

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

void punch(TimeRecord& r, int k, std::string_view action, std::string_view job, std::string_view time,
           std::string_view date) {
    r.set(F::Action, k, action);
    r.set(F::JobNumber, k, job);
    r.set(F::ActTime, k, time);
    r.set(F::ActDate, k, date);
}

} // namespace

TEST(TimeRecordLayout, FirstPunchForPosition5InAnEmptyFile) {
    TempDir dir;
    const std::string path = dir.file("Week Ending Sunday Feb 2 2025.dat");
    writeFile(path, "");

    TimeRecord r;
    r.setName("Eddie Park");
    punch(r, 1, "IN", "1001.Dept-2", "12:30:00 PM", "Mon-Jan-27");
    ASSERT_TRUE(writeRecord(realFiles(), path, 5, r));

    const std::string bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 24845u);
    EXPECT_EQ(bytes.substr(0, 19876), std::string(19876, '\0'));
    const std::string_view rec = std::string_view(bytes).substr(19876);
    EXPECT_EQ(rec.substr(0, 20), "Eddie Park          ");
    EXPECT_EQ(rec.substr(20, 7), std::string(7, '\0')); // entry 0 is never written
    EXPECT_EQ(rec.substr(27, 7), "IN     ");
    EXPECT_EQ(rec.substr(34, 7), std::string(7, '\0'));
    EXPECT_EQ(rec.substr(727 + 20, 20), "1001.Dept-2         ");
    EXPECT_EQ(rec.substr(2747 + 11, 11), "12:30:00 PM");
    EXPECT_EQ(rec.substr(3858 + 11, 11), "Mon-Jan-27 ");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"Week Ending Sunday Feb 2 2025.dat"});

    // Other records read as never written; the written one comes back whole.
    TimeRecord back;
    ASSERT_TRUE(readRecord(realFiles(), path, 5, back));
    EXPECT_EQ(back, r);
    ASSERT_TRUE(readRecord(realFiles(), path, 4, back));
    EXPECT_EQ(back, TimeRecord());
    ASSERT_TRUE(readRecord(realFiles(), path, 24, back));
    EXPECT_EQ(back.usedEntries(), 0);
}

TEST(TimeRecordLayout, FieldsArePaddedCutAndStoredInTheAnsiCodePage) {
    TimeRecord r;
    r.set(F::ActTime, 1, "9:05:07 AM");
    EXPECT_EQ(r.raw(F::ActTime, 1), "9:05:07 AM ");
    r.set(F::JobNumber, 1, std::string("ABCDEFGHIJKLMN") + ".Office");
    EXPECT_EQ(r.raw(F::JobNumber, 1), "ABCDEFGHIJKLMN.Offic");
    r.set(F::JobNumber, 2, "");
    EXPECT_EQ(r.raw(F::JobNumber, 2), std::string(20, ' '));

    TempDir dir;
    const std::string path = dir.file("w.dat");
    r.setName("Jos\xC3\xA9 \xC5\x81ukasz"); // "José Łukasz": é is in Windows-1252, Ł is not
    ASSERT_TRUE(writeRecord(realFiles(), path, 1, r));
    EXPECT_EQ(readFile(path).substr(0, 20), "Jos\xE9 ?ukasz         ");
    TimeRecord back;
    ASSERT_TRUE(readRecord(realFiles(), path, 1, back));
    EXPECT_EQ(back.text(F::EmpName), "Jos\xC3\xA9 ?ukasz         ");
}

TEST(TimeRecordLayout, LastAndUsedEntries) {
    TimeRecord r;
    EXPECT_EQ(r.lastEntry(), 0);
    EXPECT_EQ(r.usedEntries(), 0);
    EXPECT_EQ(r.lastAction(), "");

    punch(r, 1, "IN", "1001.Office", "8:00:00 AM", "Mon-Jan-27");
    punch(r, 2, "LUNCH", "", "12:00:00 PM", "Mon-Jan-27");
    EXPECT_EQ(r.lastEntry(), 2);
    EXPECT_EQ(r.usedEntries(), 2);
    EXPECT_EQ(r.lastAction(), "LUNCH");
    EXPECT_FALSE(r.isFree(2)); // 20 spaces are a written, empty job
    EXPECT_TRUE(r.isFree(3));

    for (int k = 3; k <= 99; ++k)
        punch(r, k, k % 2 ? "IN" : "OUT", "", "1:00:00 PM", "Tue-Jan-28");
    EXPECT_EQ(r.lastEntry(), 99);
    EXPECT_EQ(r.usedEntries(), 99);
    EXPECT_EQ(r.lastAction(), "IN");
    punch(r, 100, "OUT", "", "5:00:00 PM", "Tue-Jan-28");
    EXPECT_EQ(r.lastEntry(), 100);
    EXPECT_EQ(r.usedEntries(), 100);
    EXPECT_EQ(r.lastAction(), "OUT");
}

TEST(WeekFileAccess, MissingFileIsCreatedEmptyButAMissingFolderIsNamed) {
    TempDir dir;
    const std::string path = dir.file("Week Ending Sunday Feb 9 2025.dat");
    TimeRecord r;
    r.setName("stale");
    ASSERT_TRUE(readRecord(realFiles(), path, 3, r));
    EXPECT_EQ(r, TimeRecord());
    ASSERT_TRUE(fileExists(path));
    EXPECT_EQ(readFile(path).size(), 0u);

    const std::string folder = dir.file("Feb");
    const std::string lost = pathJoin(folder, "Week Ending Sunday Feb 9 2025.dat");
    Status st = readRecord(realFiles(), lost, 3, r);
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message(),
              "The folder " + folder + " is missing, so " + lost + " cannot be opened or created.");
    st = writeRecord(realFiles(), lost, 3, r);
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find("The folder " + folder + " is missing"), std::string::npos);
    EXPECT_FALSE(fileExists(folder));

    // A base folder with a non-ASCII name (a user's profile folder, say).
    const std::string cafe = dir.file("Caf\xC3\xA9");
    ASSERT_TRUE(realFiles().makeFolder(cafe));
    ASSERT_TRUE(realFiles().makeFolder(cafe)) << "an existing folder is fine";
    EXPECT_TRUE(realFiles().isFolder(cafe));
    const std::string inCafe = pathJoin(cafe, "w.dat");
    ASSERT_TRUE(writeRecord(realFiles(), inCafe, 2, r));
    EXPECT_TRUE(realFiles().exists(inCafe));
    EXPECT_FALSE(realFiles().makeFolder(inCafe)) << "a file of that name is not a folder";
}

TEST(WeekFileAccess, FailedReplacementLeavesTheOldFileAndNoTempFile) {
    TempDir dir;
    const std::string path = dir.file("Week Ending Sunday Feb 2 2025.dat");
    std::string original(2 * TimeRecord::kSize, '\0');
    original.replace(0, 9, "Ann Smith");
    writeFile(path, original);

    using Op = FaultyFiles::Op;
    for (Op op : {Op::OpenForWriting, Op::Write, Op::Flush, Op::Close, Op::Rename}) {
        SCOPED_TRACE(int(op));
        FaultyFiles files;
        files.failAt(op, 1);
        Status st = replaceFile(files, path, "new contents");
        ASSERT_FALSE(st);
        EXPECT_EQ(st.message().rfind("Cannot write " + path + ": ", 0), 0u) << st.message();
        EXPECT_EQ(st.message().find(path, 13 + path.size()), std::string::npos)
            << "named twice: " << st.message();
        EXPECT_NE(st.message().find("No space left on device"), std::string::npos) << st.message();
        EXPECT_EQ(readFile(path), original);
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"Week Ending Sunday Feb 2 2025.dat"});
    }

    // Through writeRecord: the read goes well, the write of the new file does not.
    FaultyFiles files;
    files.failAt(Op::Write, 1, true);
    TimeRecord r;
    r.setName("Bob");
    Status st = writeRecord(files, path, 2, r);
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find(path), std::string::npos);
    EXPECT_EQ(readFile(path), original);
    EXPECT_EQ(namesIn(dir.path()).size(), 1u);

    // A leftover temporary file from a crash is simply replaced next time.
    writeFile(path + std::string(kTempSuffix), "half a record");
    ASSERT_TRUE(writeRecord(realFiles(), path, 2, r));
    EXPECT_EQ(readFile(path).substr(TimeRecord::kSize, 20), "Bob                 ");
    EXPECT_EQ(namesIn(dir.path()).size(), 1u);
}

TEST(WeekFileAccess, ReplacementIsWrittenFlushedRenamedThenItsFolderFlushed) {
    TempDir dir;
    const std::string path = dir.file("Week Ending Sunday Feb 2 2025.dat");
    const std::string temp = path + std::string(kTempSuffix);
    writeFile(path, "old");
    FaultyFiles files;
    ASSERT_TRUE(replaceFile(files, path, "new"));
    using Op = FaultyFiles::Op;
    const std::vector<FaultyFiles::Call> expected = {
        {Op::Remove, temp}, {Op::OpenForWriting, temp}, {Op::Write, temp},           {Op::Flush, temp},
        {Op::Close, temp},  {Op::Rename, path},         {Op::SyncFolder, dir.path()}};
    EXPECT_EQ(files.log(), expected);
    EXPECT_EQ(readFile(path), "new");
}
