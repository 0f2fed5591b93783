#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace tc {

// Modal message boxes with the application's title (or a given one). The only
// place that creates a QMessageBox. In test mode nothing is shown: the call
// records what would have been shown and returns the next queued answer
// (OK when none is queued), so no test ever blocks on a dialog.
class Messages {
  public:
    // Button sets, as the screens name them. A question whose Yes removes
    // or moves stored punches is asked with No as its default, so a person
    // pressing Enter through it loses nothing.
    enum Buttons { OkOnly = 0, OkCritical = 16, YesNoCancel = 3, YesNoCancelDefaultNo = 3 + 256 };
    // Answers. `Enter` is queued by tests only: the person presses Enter, and
    // the box gives its default button.
    enum Answer { Enter = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    static int show(QWidget* parent, const QString& text, int buttons = OkOnly,
                    const QString& title = QString());

    static QString applicationTitle(); // "Time Clock"

    struct Shown {
        QString text;
        int buttons;
        QString title;
    };
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextAnswer(int answer); // queued; used by the next show()
    static const QList<Shown>& shown();
    static void clearShown();
};

} // namespace tc
