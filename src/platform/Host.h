#pragma once

#include <QSize>
#include <QString>

namespace tc {

// What the screens need to know of the computer they run on.
class Host {
  public:
    virtual ~Host() = default;
    // The program's folder, no trailing separator: the lists and the month
    // folders of week files are kept in it.
    virtual QString baseFolder() const = 0;
    // Screen size in pixels.
    virtual QSize screenSize() const = 0;
    // The decimal separator of numbers shown.
    virtual char decimalSeparator() const = 0;
};

} // namespace tc
