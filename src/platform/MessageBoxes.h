#pragma once

#include "platform/Messages.h"

namespace tc {

// Messages shown in a QMessageBox: the only place that creates one.
class MessageBoxes : public Messages {
  public:
    Answer show(QWidget* parent, const QString& text, Buttons buttons = Buttons::OkOnly,
                const QString& title = QString()) override;
};

} // namespace tc
