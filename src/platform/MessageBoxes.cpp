#include "platform/MessageBoxes.h"

#include <QMessageBox>

namespace tc {

Messages::Answer MessageBoxes::show(QWidget* parent, const QString& text, Buttons buttons,
                                    const QString& title) {
    const QString caption = title.isEmpty() ? applicationTitle() : title;

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
    case Buttons::YesNoCancel:
    case Buttons::YesNoCancelDefaultNo: {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(buttons == Buttons::YesNoCancel ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::Cancel);
        const int r = box.exec();
        if (r == QMessageBox::Yes)
            return Answer::Yes;
        if (r == QMessageBox::No)
            return Answer::No;
        return Answer::Cancel;
    }
    case Buttons::OkCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Buttons::OkOnly:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

} // namespace tc
