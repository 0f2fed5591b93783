#include "platform/ScreenText.h"

namespace tc {

QString ScreenText::forButton(const QString& caption) {
    QString shown = forBox(caption);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}

QString ScreenText::forBox(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace tc
