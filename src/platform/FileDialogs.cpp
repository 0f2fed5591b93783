#include "platform/FileDialogs.h"

#include "platform/Environment.h"

#include <QFileDialog>

namespace tc {

std::optional<QString> FileDialogs::getOpenFileName(QWidget* parent, const QString& title,
                                                    const QString& folder, const QString& filter) {
    // Only existing files can be chosen; there is no read-only box in this
    // dialog. It stays on top, as the station does, or it would open behind it.
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    Environment::keepAboveStation(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> FileDialogs::getSaveFileName(QWidget* parent, const QString& title,
                                                    const QString& suggested, const QString& filter) {
    // The dialog asks before it lets a file be replaced.
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    Environment::keepAboveStation(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace tc
