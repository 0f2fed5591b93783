#pragma once

#include "platform/Host.h"

namespace tc {

// This computer: the executable's folder, the primary screen and the
// system locale's decimal separator.
class SystemHost : public Host {
  public:
    QString baseFolder() const override;
    QSize screenSize() const override;
    char decimalSeparator() const override;
};

} // namespace tc
