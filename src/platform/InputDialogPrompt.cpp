#include "platform/InputDialogPrompt.h"

#include "platform/Environment.h"

#include <QInputDialog>

namespace tc {

std::optional<QString> InputDialogPrompt::getText(QWidget* parent, const QString& title,
                                                  const QString& label) {
    // It stays on top, as the station does, or it would open behind it.
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::TextInput);
    Environment::keepAboveStation(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace tc
