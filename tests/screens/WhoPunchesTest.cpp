#include "ScreenFixture.h"
#include "core/credentials/CredentialStore.h"
#include "core/credentials/ManagerPassword.h"
#include "core/punch/ActionRules.h"
#include "gui/punch/ActionScreen.h"
#include "gui/station/EmployeeGate.h"
#include "gui/station/PinPadScreen.h"

#include <QComboBox>
#include <QKeyEvent>
#include <filesystem>

// Who punches: a PIN on the keypad, a card at the board, and the management
// password that can be changed and makes guessing wait.
namespace tc::test {
namespace {

namespace fs = std::filesystem;

class WhoPunches : public ScreenFixture {
  protected:
    // The name at `position`, then the PIN on the keypad and OK.
    void pinFor(int position, const QString& pin) {
        press(&home(), QStringLiteral("employeeButton_%1").arg(position - 1));
        QWidget* pad = shown("PinPadScreen");
        ASSERT_NE(pad, nullptr);
        for (QChar digit : pin)
            press(pad, QStringLiteral("Digit_") + digit);
        press(pad, "OK");
        settle();
    }
    // Digits, `gapMs` apart, then Enter: at the board a badge reader or a hand.
    void typeKeys(QWidget* to, const QString& keys, qint64 gapMs) {
        for (QChar c : keys + QChar('\r')) {
            fakes.monotonic.advance(gapMs);
            QKeyEvent key(QEvent::KeyPress, c == '\r' ? Qt::Key_Return : Qt::Key_0 + (c.unicode() - '0'),
                          Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(to, &key);
        }
        settle();
    }
    void typeAtBoard(const QString& keys, qint64 gapMs) { typeKeys(&home(), keys, gapMs); }
    void setCredentials(const std::function<void(CredentialStore&)>& edit) {
        CredentialStore store;
        ASSERT_TRUE(store.load(realFiles(), base.path()));
        edit(store);
        ASSERT_TRUE(store.save(realFiles(), base.path()));
    }
    // Every file the station wrote, whole.
    std::string everyFile() const {
        std::string all;
        for (const auto& e : fs::recursive_directory_iterator(base.path()))
            if (e.is_regular_file())
                all += readFile(e.path().string());
        return all;
    }
};

TEST_F(WhoPunches, APinSetByTheManagerIsAskedAfterTheNameAndOnlyTheRightOneGoesOn) {
    start("[station]\npins = on\n");
    // The manager sets Worker 2's PIN in the management area.
    management("qm482", "credentialsOption");
    QWidget* pins = shown("CredentialsScreen");
    ASSERT_NE(pins, nullptr);
    pins->findChild<QComboBox*>("Employee")->setCurrentText("Worker 2");
    type(pins, "Pin", "86420");
    tap(pins, "SetPin");
    EXPECT_EQ(told(), QStringList{"The PIN is set."});
    pins->close();

    // A name without a PIN goes no further.
    press(&home(), "employeeButton_2");
    EXPECT_EQ(told(), QStringList{"No PIN is set for Worker 3. The manager sets it under Management."});
    EXPECT_EQ(shown("PinPadScreen"), nullptr);

    // The second half of a double tap on the name lands on the keypad: no digit.
    press(&home(), "employeeButton_1");
    auto* pad = qobject_cast<PinPadScreen*>(shown("PinPadScreen"));
    ASSERT_NE(pad, nullptr);
    tap(pad, "Digit_8");
    EXPECT_EQ(pad->digitsTyped(), 0);
    // Nor does another name open while the PIN is asked.
    press(&home(), "employeeButton_4");
    EXPECT_EQ(app->gate().pinPad(), pad);
    press(pad, "Digit_8");
    EXPECT_EQ(pad->digitsTyped(), 1);
    press(pad, "Cancel");
    settle();
    EXPECT_EQ(shown("PinPadScreen"), nullptr);
    EXPECT_EQ(shown("ActionScreen"), nullptr);

    pinFor(2, "8642");
    EXPECT_EQ(told(), QStringList{"Wrong PIN. Nothing was stored."});
    EXPECT_EQ(shown("ActionScreen"), nullptr);
    ASSERT_NE(shown("PinPadScreen"), nullptr); // asked again
    press(shown("PinPadScreen"), "Cancel");

    // The keyboard's digits and Enter, then a whole punch.
    press(&home(), "employeeButton_1");
    typeKeys(shown("PinPadScreen"), "86420", 0);
    press(shown("ActionScreen"), QStringLiteral("actionButton_%1").arg(ClockIn));
    press(shown("JobScreen"), "jobButton_0");
    press(shown("DepartmentScreen"), "departmentButton_1");
    settle();
    EXPECT_EQ(told(), QStringList());
    EXPECT_EQ(base.record(mondayFeb3(), 2),
              makeRecord("Worker 2", {{"IN", "1234.Dept-2", "9:05:07 AM", "Mon-Feb-3"}}));
    // The PIN is in no file the station wrote, not even as its digits.
    EXPECT_EQ(everyFile().find("86420"), std::string::npos);
}

TEST_F(WhoPunches, FiveWrongPinsLockThatNameForFiveMinutes) {
    setCredentials([](CredentialStore& s) {
        ASSERT_TRUE(s.setPin("Worker 2", "1357"));
        ASSERT_TRUE(s.setPin("Worker 3", "2468"));
    });
    start("[station]\npins = on\n");
    for (int i = 1; i <= 4; ++i) {
        pinFor(2, "0000");
        EXPECT_EQ(told(), QStringList{"Wrong PIN. Nothing was stored."}) << i;
    }
    fakes.clock.set(mondayFeb3(9, 10, 0));
    pinFor(2, "0000");
    EXPECT_EQ(told(),
              QStringList{"Wrong PIN. Nothing was stored.\r\nWorker 2 is locked after five wrong PINs "
                          "until 9:15:00 AM."});
    EXPECT_EQ(shown("PinPadScreen"), nullptr);
    // Locked, even for the right PIN: the keypad does not open.
    fakes.monotonic.advance(4 * 60'000);
    fakes.clock.advance(4 * 60);
    press(&home(), "employeeButton_1");
    ASSERT_EQ(told().size(), 1);
    EXPECT_EQ(shown("PinPadScreen"), nullptr);
    // Another name is not locked.
    pinFor(3, "2468");
    ASSERT_NE(shown("ActionScreen"), nullptr);
    press(shown("ActionScreen"), "actionButton_4"); // Exit
    settle();
    // Five minutes on, the right PIN goes through.
    fakes.monotonic.advance(60'000);
    pinFor(2, "1357");
    EXPECT_EQ(told(), QStringList());
    EXPECT_NE(shown("ActionScreen"), nullptr);
}

TEST_F(WhoPunches, AnEmployeeChangesHisOwnPinAtTheStation) {
    setCredentials([](CredentialStore& s) { ASSERT_TRUE(s.setPin("Worker 2", "1357")); });
    start("[station]\npins = on\n");
    // The PIN now, "Change PIN", then the new one twice.
    const auto change = [this](const QString& now, const QStringList& fresh) {
        press(&home(), "employeeButton_1");
        QWidget* pad = shown("PinPadScreen");
        ASSERT_NE(pad, nullptr);
        for (const QString& pin : QStringList{now} + fresh) {
            for (QChar digit : pin)
                press(pad, QStringLiteral("Digit_") + digit);
            press(pad, pin == now ? "ChangePin" : "OK");
        }
        settle();
    };
    const struct {
        QString now;
        QStringList fresh;
        QString told;
    } tries[] = {
        {"1358", {}, "Wrong PIN. Nothing was stored."},
        {"1357", {"24680", "24681"}, "The two new PINs differ. Your PIN is unchanged."},
        {"1357", {"24680", "24680"}, "Your PIN is changed."},
    };
    for (const auto& t : tries) {
        change(t.now, t.fresh);
        EXPECT_EQ(told(), QStringList{t.told});
        if (QWidget* pad = shown("PinPadScreen"))
            press(pad, "Cancel");
        settle();
        EXPECT_EQ(shown("ActionScreen"), nullptr);
    }
    pinFor(2, "1357");
    EXPECT_EQ(told(), QStringList{"Wrong PIN. Nothing was stored."});
    press(shown("PinPadScreen"), "Cancel");
    pinFor(2, "24680");
    EXPECT_NE(shown("ActionScreen"), nullptr);
    EXPECT_EQ(everyFile().find("24680"), std::string::npos);
}

TEST_F(WhoPunches, ACardTypedFastSelectsItsEmployeeAndSlowKeysDoNot) {
    setCredentials([](CredentialStore& s) {
        ASSERT_TRUE(s.setPin("Worker 5", "5555"));
        ASSERT_TRUE(s.setCard("Worker 5", "0004711234"));
    });
    start("[station]\ncards = on\n");
    typeAtBoard("0004711234", 300); // a person's pace
    typeAtBoard("0004711235", 10);
    EXPECT_EQ(told(), QStringList{"Unknown card. Nothing was stored."});
    EXPECT_EQ(shown("ActionScreen"), nullptr);

    // What the settings turn on: the card read, a PIN asked after the card or the name.
    const struct {
        const char* settings;
        const char *afterCard, *afterName; // the screen in front
    } cases[] = {
        {"", "none", "ActionScreen"},
        {"[station]\ncards = on\n", "ActionScreen", "ActionScreen"},
        {"[station]\ncards = on\npins = on\n", "PinPadScreen", "PinPadScreen"},
    };
    const auto front = [] {
        return shown("PinPadScreen") ? "PinPadScreen" : shown("ActionScreen") ? "ActionScreen" : "none";
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        TearDown();
        fs::remove(base.file("timeclock.ini"));
        start(c.settings);
        typeAtBoard("0004711234", 10);
        EXPECT_STREQ(front(), c.afterCard);
        if (auto* action = qobject_cast<ActionScreen*>(shown("ActionScreen"))) {
            EXPECT_EQ(action->punch().employee + " at " + std::to_string(action->punch().position),
                      "Worker 5 at 4");
        }
        TearDown();
        start(c.settings);
        press(&home(), "employeeButton_4");
        EXPECT_STREQ(front(), c.afterName);
    }
}

TEST_F(WhoPunches, ThePasswordIsChangedAndFiveWrongTriesMakeTheNextWait) {
    start();
    management("qm482", "passwordOption");
    QWidget* change = shown("PasswordChangeScreen");
    ASSERT_NE(change, nullptr);
    type(change, "Old", "qm482");
    type(change, "New", "Yard gate 42");
    type(change, "Again", "Yard gate 42");
    tap(change, "OK");
    EXPECT_EQ(told(),
              QStringList{"The management password is changed. Keep it where only the owner finds it."});
    settle();

    // The old one five times; the new one too soon is not even looked at; wrong
    // again after the wait, the next wait is longer.
    const QString wait = "Too many wrong passwords: wait %1 seconds before the next try.";
    const struct {
        qint64 after;
        QString password, told;
    } tries[] = {
        {0, "qm482", "Wrong Password"},
        {0, "qm482", "Wrong Password"},
        {0, "qm482", "Wrong Password"},
        {0, "qm482", "Wrong Password"},
        {0, "qm482", "Wrong Password\r\n" + wait.arg(30)},
        {20'000, "Yard gate 42", wait.arg(10)},
        {10'000, "qm482", "Wrong Password\r\n" + wait.arg(60)},
        {60'000, "Yard gate 42", ""},
    };
    for (const auto& t : tries) {
        fakes.monotonic.advance(t.after);
        management(t.password);
        EXPECT_EQ(told().join(" | "), t.told);
        EXPECT_EQ(shown("TimeSheetScreen") != nullptr, t.told.isEmpty());
    }
}

} // namespace
} // namespace tc::test
