#include "platform/TextPrompt.h"

#include "platform/Environment.h"

#include <QInputDialog>
#include <QStringList>
#include <deque>
#include <utility>

namespace tc {

namespace {
bool gTestMode = false;
// (given?, text): a cancel is queued as (false, empty).
std::deque<std::pair<bool, QString>> gNext;
QStringList gAsked;
} // namespace

std::optional<QString> TextPrompt::getText(QWidget* parent, const QString& title, const QString& label) {
    if (gTestMode) {
        gAsked << label;
        if (gNext.empty())
            return std::nullopt;
        const auto [given, text] = gNext.front();
        gNext.pop_front();
        if (!given)
            return std::nullopt;
        return text;
    }
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

void TextPrompt::setTestMode(bool on) {
    gTestMode = on;
    gNext.clear();
    gAsked.clear();
}

void TextPrompt::setNextText(std::optional<QString> text) {
    gNext.emplace_back(text.has_value(), text.value_or(QString()));
}

const QStringList& TextPrompt::asked() {
    return gAsked;
}

} // namespace tc
