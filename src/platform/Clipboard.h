#pragma once

#include <QString>

namespace tc {

// Plain-text clipboard. In test mode a private buffer stands in for it.
class Clipboard {
  public:
    static void clear();
    static void setText(const QString& text);
    static QString text();
    static void setTestMode(bool on);
};

} // namespace tc
