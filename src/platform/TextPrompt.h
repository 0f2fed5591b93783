#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tc {

// A line of text asked of the person (a reason, a note). The only place that
// opens a text input dialog. In test mode the next queued answer is returned
// instead (nullopt = the person cancelled, also when none is queued), and
// each label asked is recorded.
class TextPrompt {
  public:
    static std::optional<QString> getText(QWidget* parent, const QString& title, const QString& label);

    static void setTestMode(bool on);
    static void setNextText(std::optional<QString> text);
    static const QStringList& asked();
};

} // namespace tc
