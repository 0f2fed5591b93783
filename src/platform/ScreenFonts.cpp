#include "platform/ScreenFonts.h"

#include "platform/Environment.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace tc {

namespace {
QString firstInstalled(const QString& wanted, const QString& fallback) {
    const QStringList families = QFontDatabase::families();
    if (families.contains(wanted, Qt::CaseInsensitive))
        return wanted;
    if (families.contains(fallback, Qt::CaseInsensitive))
        return fallback;
    return wanted; // let Qt's own substitution choose
}

QFont makeFont(QSize screen, const QString& family, double points, bool bold) {
    QFont f(family);
    f.setPointSize(Environment::scaledPointSize(screen, points));
    f.setBold(bold);
    return f;
}
} // namespace

QString ScreenFonts::arialFamily() {
    static const QString kFamily = firstInstalled(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    return kFamily;
}

QString ScreenFonts::arialNarrowFamily() {
    static const QString kFamily =
        firstInstalled(QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"));
    return kFamily;
}

QFont ScreenFonts::arial(QSize screen, double points, bool bold) {
    return makeFont(screen, arialFamily(), points, bold);
}

QFont ScreenFonts::arialNarrow(QSize screen, double points, bool bold) {
    return makeFont(screen, arialNarrowFamily(), points, bold);
}

QFont ScreenFonts::fitted(const QFont& font, const QString& text, const QSize& room, bool wrap) {
    QFont f = font;
    const int flags = wrap ? int(Qt::TextWordWrap) : 0;
    for (int points = font.pointSize(); points > 4; --points) {
        f.setPointSize(points);
        const QRect needed =
            QFontMetrics(f).boundingRect(QRect(0, 0, wrap ? room.width() : 100000, 100000), flags, text);
        if (needed.width() <= room.width() && needed.height() <= room.height())
            return f;
    }
    return f;
}

} // namespace tc
