#pragma once

#include "platform/Messages.h"

#include <QList>
#include <deque>
#include <optional>

namespace tc {

// Shows nothing: records each message and gives the next queued answer (OK
// when none is queued), so no test ever blocks on a dialog.
class FakeMessages : public Messages {
  public:
    struct Shown {
        QString text;
        Buttons buttons;
        QString title;
    };

    Answer show(QWidget*, const QString& text, Buttons buttons = Buttons::OkOnly,
                const QString& title = QString()) override {
        shown_.append(Shown{text, buttons, title.isEmpty() ? applicationTitle() : title});
        if (answers_.empty())
            return Answer::Ok;
        const std::optional<Answer> answer = answers_.front();
        answers_.pop_front();
        if (answer)
            return *answer;
        // Enter: the box's default button.
        return buttons == Buttons::YesNoCancel            ? Answer::Yes
               : buttons == Buttons::YesNoCancelDefaultNo ? Answer::No
                                                          : Answer::Ok;
    }

    // The person's next answer.
    void answer(Answer a) { answers_.emplace_back(a); }
    // The person's next answer is a press of Enter.
    void pressEnter() { answers_.emplace_back(std::nullopt); }

    const QList<Shown>& shown() const { return shown_; }
    void clearShown() { shown_.clear(); }

  private:
    std::deque<std::optional<Answer>> answers_;
    QList<Shown> shown_;
};

} // namespace tc
