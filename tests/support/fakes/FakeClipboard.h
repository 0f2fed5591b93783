#pragma once

#include "platform/Clipboard.h"

namespace tc {

// A clipboard of the test's own, apart from the desktop's.
class FakeClipboard : public Clipboard {
  public:
    void clear() override { text_.clear(); }
    void setText(const QString& text) override { text_ = text; }
    QString text() const override { return text_; }

  private:
    QString text_;
};

} // namespace tc
