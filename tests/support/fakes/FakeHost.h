#pragma once

#include "platform/Host.h"

namespace tc {

// The computer as the test sets it: the 1024 x 768 screen the screens are
// laid out for, and the point as decimal separator.
class FakeHost : public Host {
  public:
    QString baseFolder() const override { return baseFolder_; }
    QSize screenSize() const override { return screen_; }
    char decimalSeparator() const override { return separator_; }

    void setBaseFolder(const QString& folder) { baseFolder_ = folder; }
    void setScreenSize(QSize size) { screen_ = size; }
    void setDecimalSeparator(char separator) { separator_ = separator; }

  private:
    QString baseFolder_;
    QSize screen_{1024, 768};
    char separator_ = '.';
};

} // namespace tc
