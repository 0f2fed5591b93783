#pragma once

#include "platform/Clipboard.h"

namespace tc {

// The desktop's clipboard, shared with every other program.
class SystemClipboard : public Clipboard {
  public:
    void clear() override;
    void setText(const QString& text) override;
    QString text() const override;
};

} // namespace tc
