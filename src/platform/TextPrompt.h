#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tc {

// A line of text asked of the person (a reason, a note); nullopt: cancelled.
class TextPrompt {
  public:
    virtual ~TextPrompt() = default;
    virtual std::optional<QString> getText(QWidget* parent, const QString& title, const QString& label) = 0;
};

} // namespace tc
