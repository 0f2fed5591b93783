#pragma once

#include <QString>

namespace tc {

// Captions and box texts are kept with CR LF line breaks, as the screens
// have always set them; Qt's widgets break lines at LF alone.
class ScreenText {
  public:
    // A push button would draw the CR, and an '&' would become a shortcut
    // mark and vanish from a name.
    static QString forButton(const QString& caption);
    // Text boxes draw LF only.
    static QString forBox(const QString& text);
};

} // namespace tc
