#pragma once

#include "core/format/DateTime.h"
#include "support/fakes/FakeServices.h"

#include <QObject>
#include <string>

class QWidget;

namespace tc::bench {

// The clock every benchmark runs at: Monday Feb 3 2025, 9:05:07 AM, whose
// week file is "Feb/Week Ending Sunday Feb 9 2025.dat".
DateTime benchNow();

// The screens' services for every benchmark: no message box waits, the
// clock stands still at benchNow() until moved, the open dialog answers with
// the file the benchmark names.
FakeServices& benchServices();

// A fresh base folder with the twelve month folders, both list files and 24
// employee names, removed again when it goes away. Lies under TMPDIR (the
// bench script puts it on the disk the program runs from).
class BenchFolder {
  public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::string& path() const { return path_; }
    // This week's file (at benchNow()).
    std::string weekFile() const;

  private:
    std::string path_;
};

// A week file of 24 records, each with `entries` punches (IN, LUNCH, IN,
// OUT, ... so 50 entries end at LUNCH), 119256 bytes.
std::string weekBytes(int entries);
// Writes the bytes and makes them durable, so a timed flush afterwards does
// not also pay for this set-up write.
void writeDurable(const std::string& path, const std::string& bytes);

// The floors: plain POSIX calls, no abstraction, no checks beyond failure.
std::string plainRead(const std::string& path);
// Temporary file, write, fsync, close, rename over `path`, fsync of the folder.
void plainReplace(const std::string& path, const std::string& bytes);
// Open for appending, write, fsync, close (a journal's line).
void plainAppend(const std::string& path, const std::string& bytes);

// Watches for the first paint of a window (or of one widget) after arm().
class PaintWatcher : public QObject {
  public:
    PaintWatcher();
    ~PaintWatcher() override;
    // Watch `target`: with `wholeWindow`, a paint of any widget in its window counts.
    void arm(QWidget* target, bool wholeWindow);
    // Processes events until the paint was seen; false after 5 s without it.
    bool wait();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* target_ = nullptr;
    bool wholeWindow_ = false;
    bool seen_ = false;
};

// Lets screens that unloaded themselves go (deferred deletes) and handles what is pending.
void settle();

// Peak and current resident memory of this process in kB (VmHWM, VmRSS).
long peakResidentKb();
long residentKb();

} // namespace tc::bench
