#include "platform/SystemHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

namespace tc {

QString SystemHost::baseFolder() const {
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

QSize SystemHost::screenSize() const {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return QSize(1024, 768); // the size the screens are laid out for
}

char SystemHost::decimalSeparator() const {
    // The hours are digits and one separator; a separator that is not one
    // plain character (none known) falls back to the point.
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? char(point[0].unicode()) : '.';
}

} // namespace tc
