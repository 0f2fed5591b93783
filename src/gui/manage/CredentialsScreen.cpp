#include "gui/manage/CredentialsScreen.h"

#include "core/credentials/CredentialStore.h"
#include "core/format/TimeText.h"
#include "core/punch/StationState.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tc {

CredentialsScreen::CredentialsScreen(Services& services, StationState& state, QWidget* station)
    : QWidget(station, Qt::Window), services_(services), state_(state) {
    setObjectName(QStringLiteral("CredentialsScreen"));
    setWindowTitle(QStringLiteral("Employee PINs and Cards"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ScreenFonts::arial(services_.host.screenSize(), 10));
    auto* form = new QFormLayout(this);

    employee_ = new QComboBox(this);
    employee_->setObjectName(QStringLiteral("Employee"));
    for (const std::string& name : state_.employeeNames) {
        if (!trimSpaces(name).empty())
            employee_->addItem(QString::fromStdString(name));
    }
    form->addRow(QStringLiteral("Employee"), employee_);
    hasPin_ = new QLabel(this);
    hasPin_->setObjectName(QStringLiteral("HasPin"));
    form->addRow(QStringLiteral("PIN"), hasPin_);

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    pin_ = new QLineEdit(this);
    pin_->setObjectName(QStringLiteral("Pin"));
    pin_->setEchoMode(QLineEdit::Password);
    pin_->setMaxLength(8);
    auto* pinRow = new QHBoxLayout;
    pinRow->addWidget(pin_);
    QPushButton* setPin = button("SetPin", QStringLiteral("Set PIN"));
    QPushButton* removePin = button("RemovePin", QStringLiteral("Remove PIN"));
    pinRow->addWidget(setPin);
    pinRow->addWidget(removePin);
    form->addRow(QStringLiteral("New PIN"), pinRow);

    card_ = new QLineEdit(this);
    card_->setObjectName(QStringLiteral("Card"));
    card_->setMaxLength(32);
    auto* cardRow = new QHBoxLayout;
    cardRow->addWidget(card_);
    QPushButton* setCard = button("SetCard", QStringLiteral("Set Card"));
    QPushButton* removeCard = button("RemoveCard", QStringLiteral("Remove Card"));
    cardRow->addWidget(setCard);
    cardRow->addWidget(removeCard);
    form->addRow(QStringLiteral("Card number"), cardRow);
    QPushButton* closeButton = button("Close", QStringLiteral("Close"));
    form->addRow(closeButton);

    connect(employee_, &QComboBox::currentIndexChanged, this, &CredentialsScreen::showEmployee);
    connect(setPin, &QPushButton::clicked, this, [this] {
        const std::string pin = pin_->text().toStdString();
        change([pin](CredentialStore& s, const std::string& name) { return s.setPin(name, pin); },
               QStringLiteral("The PIN is set."));
    });
    connect(removePin, &QPushButton::clicked, this, [this] {
        change([](CredentialStore& s, const std::string& name) { return s.removePin(name), Status::ok(); },
               QStringLiteral("The PIN is removed."));
    });
    connect(setCard, &QPushButton::clicked, this, [this] {
        const std::string card = card_->text().trimmed().toStdString();
        change([card](CredentialStore& s, const std::string& name) { return s.setCard(name, card); },
               QStringLiteral("The card is set."));
    });
    connect(removeCard, &QPushButton::clicked, this, [this] {
        change([](CredentialStore& s, const std::string& name) { return s.removeCard(name), Status::ok(); },
               QStringLiteral("The card is removed."));
    });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    showEmployee();
}

void CredentialsScreen::showEmployee() {
    CredentialStore store;
    const Status st = store.load(*state_.files, state_.baseFolder);
    const std::string name = employee_->currentText().toStdString();
    hasPin_->setText(!st                  ? QString::fromStdString(st.message())
                     : store.hasPin(name) ? QStringLiteral("set")
                                          : QStringLiteral("none"));
    pin_->clear();
    card_->setText(QString::fromStdString(store.cardOf(name)));
}

void CredentialsScreen::change(const std::function<Status(CredentialStore&, const std::string& name)>& edit,
                               const QString& done) {
    const std::string name = employee_->currentText().toStdString();
    CredentialStore store;
    Status st = store.load(*state_.files, state_.baseFolder);
    if (st && name.empty())
        st = Status::fail("There is no employee to choose.");
    if (st)
        st = edit(store, name);
    if (st)
        st = store.save(*state_.files, state_.baseFolder);
    // The PIN typed is gone from the screen whatever happened.
    pin_->clear();
    if (!st) {
        services_.messages.show(this, QString::fromStdString(st.message()));
        return;
    }
    services_.messages.show(this, done);
    showEmployee();
}

} // namespace tc
