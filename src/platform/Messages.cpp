#include "platform/Messages.h"

#include <QMessageBox>
#include <deque>

namespace tc {

namespace {
bool gTestMode = false;
std::deque<int> gAnswers;
QList<Messages::Shown> gShown;
} // namespace

QString Messages::applicationTitle() {
    return QStringLiteral("Time Clock");
}

int Messages::show(QWidget* parent, const QString& text, int buttons, const QString& title) {
    const QString caption = title.isEmpty() ? applicationTitle() : title;
    if (gTestMode) {
        gShown.append(Shown{text, buttons, caption});
        if (gAnswers.empty())
            return Ok;
        const int answer = gAnswers.front();
        gAnswers.pop_front();
        if (answer != Enter)
            return answer;
        return buttons == YesNoCancel ? Yes : buttons == YesNoCancelDefaultNo ? No : Ok;
    }

    // The screens write line breaks as CR LF; a message box wants one break per line.
    QString shownText = text;
    shownText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(shownText);
    box.setTextFormat(Qt::PlainText);
    // The station stays on top of everything; its messages must not hide behind it.
    box.setWindowFlags(box.windowFlags() | Qt::WindowStaysOnTopHint);
    switch (buttons) {
    case YesNoCancel:
    case YesNoCancelDefaultNo: {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(buttons == YesNoCancel ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::Cancel);
        const int r = box.exec();
        if (r == QMessageBox::Yes)
            return Yes;
        if (r == QMessageBox::No)
            return No;
        return Cancel;
    }
    case OkCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Ok;
}

void Messages::setTestMode(bool on) {
    gTestMode = on;
    gAnswers.clear();
    gShown.clear();
}

bool Messages::testMode() {
    return gTestMode;
}

void Messages::setNextAnswer(int answer) {
    gAnswers.push_back(answer);
}

const QList<Messages::Shown>& Messages::shown() {
    return gShown;
}

void Messages::clearShown() {
    gShown.clear();
}

} // namespace tc
