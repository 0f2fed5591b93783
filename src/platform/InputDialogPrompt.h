#pragma once

#include "platform/TextPrompt.h"

namespace tc {

// Qt's input dialog: the only place that opens one.
class InputDialogPrompt : public TextPrompt {
  public:
    std::optional<QString> getText(QWidget* parent, const QString& title, const QString& label) override;
};

} // namespace tc
