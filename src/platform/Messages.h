#pragma once

#include <QString>

class QWidget;

namespace tc {

// Modal message boxes with the application's title (or a given one).
class Messages {
  public:
    // Button sets, as the screens name them. A question whose Yes removes
    // or moves stored punches is asked with No as its default, so a person
    // pressing Enter through it loses nothing.
    enum class Buttons { OkOnly, OkCritical, YesNoCancel, YesNoCancelDefaultNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Messages() = default;
    virtual Answer show(QWidget* parent, const QString& text, Buttons buttons = Buttons::OkOnly,
                        const QString& title = QString()) = 0;

    static QString applicationTitle() { return QStringLiteral("Time Clock"); }
};

} // namespace tc
