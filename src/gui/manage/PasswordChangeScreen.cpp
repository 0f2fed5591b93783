#include "gui/manage/PasswordChangeScreen.h"

#include "core/credentials/ManagerPassword.h"
#include "core/punch/StationState.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tc {

PasswordChangeScreen::PasswordChangeScreen(Services& services, StationState& state, QWidget* station)
    : QWidget(station, Qt::Window), services_(services), state_(state) {
    setObjectName(QStringLiteral("PasswordChangeScreen"));
    setWindowTitle(QStringLiteral("Change Password"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ScreenFonts::arial(services_.host.screenSize(), 10));
    auto* form = new QFormLayout(this);
    const auto box = [this, form](const char* name, const QString& label) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setEchoMode(QLineEdit::Password);
        form->addRow(label, edit);
        return edit;
    };
    old_ = box("Old", QStringLiteral("Password now"));
    fresh_ = box("New", QStringLiteral("New password"));
    again_ = box("Again", QStringLiteral("New password again"));
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &PasswordChangeScreen::okPressed);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(again_, &QLineEdit::returnPressed, this, &PasswordChangeScreen::okPressed);
}

void PasswordChangeScreen::okPressed() {
    const Status st = ManagerPassword::change(*state_.files, state_.baseFolder, old_->text().toStdString(),
                                              fresh_->text().toStdString(), again_->text().toStdString());
    if (!st) {
        services_.messages.show(this, QString::fromStdString(st.message()));
        return;
    }
    services_.messages.show(
        this, QStringLiteral("The management password is changed. Keep it where only the owner finds it."));
    close();
}

} // namespace tc
