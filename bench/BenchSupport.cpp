#include "BenchSupport.h"

#include "core/files/Paths.h"
#include "core/format/TimeRecord.h"
#include "core/format/TimeText.h"
#include "core/format/WeekFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tc::bench {

namespace fs = std::filesystem;

DateTime benchNow() {
    return makeDateTime(2025, 2, 3, 9, 5, 7);
}

FakeServices& benchServices() {
    static FakeServices fakes;
    return fakes;
}

BenchFolder::BenchFolder() {
    std::string tmpl = (fs::temp_directory_path() / "timeclock-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot make a folder under " + fs::temp_directory_path().string());
    path_ = tmpl;
    for (int m = 1; m <= 12; ++m)
        fs::create_directory(monthFolderPath(path_, m));
    std::string list = "Quarnel Data 1.2\r\n";
    for (int p = 1; p <= 24; ++p)
        list += "Worker " + std::to_string(p) + "\r\n";
    list += "Lunch at noon\r\nSafety first\r\n";
    std::ofstream(employeeListPath(path_), std::ios::binary) << list;
    std::string jobs;
    for (int j = 1; j <= 20; ++j)
        jobs += std::to_string(1000 + j) + ",Job number " + std::to_string(j) + "\r\n";
    std::ofstream(jobListPath(path_), std::ios::binary) << jobs;
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string BenchFolder::weekFile() const {
    return weekFilePath(path_, benchNow());
}

std::string weekBytes(int entries) {
    using F = TimeRecord::Field;
    static const char* const kActions[4] = {"IN", "LUNCH", "IN", "OUT"};
    static const char* const kTimes[4] = {"8:00:00 AM", "12:00:00 PM", "12:45:00 PM", "4:30:00 PM"};
    std::string bytes;
    for (int p = 1; p <= kPositions; ++p) {
        TimeRecord r;
        r.setName("Worker " + std::to_string(p));
        for (int k = 1; k <= entries; ++k) {
            const int step = (k - 1) % 4;
            r.set(F::Action, k, kActions[step]);
            r.set(F::JobNumber, k, step == 0 || step == 2 ? std::to_string(1000 + k % 20) + ".Dept-1" : "");
            r.set(F::ActTime, k, kTimes[step]);
            r.set(F::ActDate, k, formatDate(benchNow().addDays((k - 1) / 4)));
        }
        putRecord(bytes, p, r);
    }
    return bytes;
}

void writeDurable(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()) || ::fsync(fd) != 0)
        throw std::runtime_error("cannot write " + path);
    ::close(fd);
}

std::string plainRead(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, std::size_t(n));
    }
    ::close(fd);
    return out;
}

void plainReplace(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".tmp~";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()) || ::fsync(fd) != 0)
        throw std::runtime_error("cannot write " + temp);
    ::close(fd);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot rename " + temp);
    int dir = ::open(parentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0 || ::fsync(dir) != 0)
        throw std::runtime_error("cannot flush the folder of " + path);
    ::close(dir);
}

void plainAppend(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()) || ::fsync(fd) != 0)
        throw std::runtime_error("cannot append to " + path);
    ::close(fd);
}

PaintWatcher::PaintWatcher() {
    qApp->installEventFilter(this);
}

PaintWatcher::~PaintWatcher() {
    qApp->removeEventFilter(this);
}

void PaintWatcher::arm(QWidget* target, bool wholeWindow) {
    target_ = target;
    wholeWindow_ = wholeWindow;
    seen_ = false;
}

bool PaintWatcher::wait() {
    QElapsedTimer timer;
    timer.start();
    while (!seen_ && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    target_ = nullptr;
    return seen_;
}

bool PaintWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (target_ && !seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w == target_ || (wholeWindow_ && w->window() == target_->window()))
            seen_ = true;
    }
    return false;
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

namespace {
long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}
} // namespace

long peakResidentKb() {
    return statusKb("VmHWM");
}
long residentKb() {
    return statusKb("VmRSS");
}

} // namespace tc::bench
