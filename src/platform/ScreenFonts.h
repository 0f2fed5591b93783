#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace tc {

// The type the screens are drawn in: Arial and Arial Narrow where installed,
// their metric twins Liberation Sans (Narrow) otherwise. Sizes are the points
// of the 1024 x 768 layout, scaled to the `screen` size.
class ScreenFonts {
  public:
    static QString arialFamily();
    static QString arialNarrowFamily();
    static QFont arial(QSize screen, double points, bool bold = false);
    static QFont arialNarrow(QSize screen, double points, bool bold = false);
    // `font`, made smaller where needed so that `text` (lines broken at LF,
    // and at word ends too when `wrap`) is shown whole within `room`.
    static QFont fitted(const QFont& font, const QString& text, const QSize& room, bool wrap = false);
};

} // namespace tc
