#pragma once

#include "platform/TextPrompt.h"

#include <QStringList>
#include <deque>
#include <utility>

namespace tc {

// Asks nothing: records each label and gives the next text queued (nullopt,
// or none queued: the person cancelled).
class FakeTextPrompt : public TextPrompt {
  public:
    std::optional<QString> getText(QWidget*, const QString&, const QString& label) override {
        asked_ << label;
        if (next_.empty())
            return std::nullopt;
        const auto [given, text] = next_.front();
        next_.pop_front();
        if (!given)
            return std::nullopt;
        return text;
    }

    void answer(std::optional<QString> text) {
        next_.emplace_back(text.has_value(), text.value_or(QString()));
    }
    const QStringList& asked() const { return asked_; }

  private:
    // (given?, text): a cancel is queued as (false, empty).
    std::deque<std::pair<bool, QString>> next_;
    QStringList asked_;
};

} // namespace tc
