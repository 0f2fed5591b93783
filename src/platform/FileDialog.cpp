#include "platform/FileDialog.h"

#include "platform/Environment.h"

#include <QFileDialog>
#include <deque>
#include <utility>

namespace tc {

namespace {
bool gTestMode = false;
// (chosen?, path): a cancel is queued as (false, empty).
std::deque<std::pair<bool, QString>> gNext;

std::optional<QString> nextTestAnswer() {
    if (gNext.empty())
        return std::nullopt;
    const auto [chosen, path] = gNext.front();
    gNext.pop_front();
    if (!chosen)
        return std::nullopt;
    return path;
}

} // namespace

std::optional<QString> FileDialog::getOpenFileName(QWidget* parent, const QString& title,
                                                   const QString& folder, const QString& filter) {
    if (gTestMode)
        return nextTestAnswer();
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

std::optional<QString> FileDialog::getSaveFileName(QWidget* parent, const QString& title,
                                                   const QString& suggested, const QString& filter) {
    if (gTestMode)
        return nextTestAnswer();
    // The dialog asks before it lets a file be replaced.
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    Environment::keepAboveStation(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void FileDialog::setTestMode(bool on) {
    gTestMode = on;
    gNext.clear();
}

void FileDialog::setNextFileName(std::optional<QString> path) {
    gNext.emplace_back(path.has_value(), path.value_or(QString()));
}

} // namespace tc
