#include "platform/Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace tc {

namespace {
std::optional<QString> gBaseFolder;
std::optional<QSize> gScreenSize;
std::optional<char> gDecimalSeparator;

constexpr double kLayoutWidth = 1024.0;
constexpr double kLayoutHeight = 768.0;
} // namespace

QString Environment::baseFolder() {
    if (gBaseFolder)
        return *gBaseFolder;
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

void Environment::setBaseFolderForTest(std::optional<QString> folder) { gBaseFolder = std::move(folder); }

char Environment::decimalSeparator() {
    if (gDecimalSeparator)
        return *gDecimalSeparator;
    // The hours are digits and one separator; a separator that is not one
    // plain character (none known) falls back to the point.
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? char(point[0].unicode()) : '.';
}

void Environment::setDecimalSeparatorForTest(std::optional<char> separator) {
    gDecimalSeparator = separator;
}

QSize Environment::screenSize() {
    if (gScreenSize)
        return *gScreenSize;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(int(kLayoutWidth), int(kLayoutHeight));
}

void Environment::setScreenSizeForTest(std::optional<QSize> size) { gScreenSize = size; }

double Environment::scaleX() { return screenSize().width() / kLayoutWidth; }

double Environment::scaleY() { return screenSize().height() / kLayoutHeight; }

QRect Environment::scaled(int left, int top, int width, int height) {
    const double sx = scaleX();
    const double sy = scaleY();
    // Scale both edges, not the size, so neighbouring controls keep their gaps.
    const int l = int(std::lround(left * sx));
    const int t = int(std::lround(top * sy));
    const int r = int(std::lround((left + width) * sx));
    const int b = int(std::lround((top + height) * sy));
    return QRect(l, t, r - l, b - t);
}

int Environment::scaledPointSize(double points) {
    // Type grows with the smaller factor so a caption still fits its control.
    const double s = std::min(scaleX(), scaleY());
    return std::max(1, int(std::lround(points * s)));
}

void Environment::fillScreen(QWidget* screen) {
    QPoint origin(0, 0);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        origin = primary->geometry().topLeft();
    screen->setGeometry(QRect(origin, screenSize()));
}

} // namespace tc
