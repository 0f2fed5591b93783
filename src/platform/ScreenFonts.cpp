#include "platform/ScreenFonts.h"

#include "platform/Environment.h"

#include <QFontDatabase>

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

QFont makeFont(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setPointSize(Environment::scaledPointSize(points));
    f.setBold(bold);
    return f;
}
} // namespace

QString ScreenFonts::arialFamily() {
    static const QString family = firstInstalled(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    return family;
}

QString ScreenFonts::arialNarrowFamily() {
    static const QString family =
        firstInstalled(QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"));
    return family;
}

QFont ScreenFonts::arial(double points, bool bold) { return makeFont(arialFamily(), points, bold); }

QFont ScreenFonts::arialNarrow(double points, bool bold) { return makeFont(arialNarrowFamily(), points, bold); }

} // namespace tc
