#include "ManageScreenFixture.h"

#include "app/StationApp.h"
#include "manage/ButtonData.h"
#include "manage/EditorFactory.h"
#include "manage/PassFM.h"
#include "manage/TimeManage.h"
#include "station/HomeFM.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QRadioButton>
#include <stdexcept>

namespace tc::test {
namespace {

class PassFMScreen : public ManageScreenTest {
  protected:
    void SetUp() override {
        ManageScreenTest::SetUp();
        writeWorkerLists();
    }

    PassFM* openPassFM() { return PassFM::showManagement(state, nullptr, editors); }

    template <typename T> static T* openScreen() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<T*>(w); s && s->isVisible())
                return s;
        return nullptr;
    }

    static void releaseKey(QWidget* box, int key) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : "a");
        QCoreApplication::sendEvent(box, &release);
    }
    static void pressEnter(QWidget* box) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QCoreApplication::sendEvent(box, &press);
        releaseKey(box, Qt::Key_Return);
    }
    static void focusIn(QWidget* box) {
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box, &focus);
    }

    AppState state{dir.path()};
    EditorFactory editors;
};

TEST_F(PassFMScreen, OpensWithItsControlsAndTheTimeSheetChosen) {
    PassFM* screen = openPassFM();
    EXPECT_EQ(screen->windowTitle(), "PassWord Area");
    EXPECT_EQ(caption(screen, "Label2"), "Password");
    EXPECT_EQ(caption(screen, "Label1"), "Caps Lock is on");
    EXPECT_FALSE(child<QLabel>(screen, "Label1")->isVisible());
    EXPECT_EQ(child<QLineEdit>(screen, "Text2")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(child<QRadioButton>(screen, "Option2")->isChecked());
    EXPECT_EQ(child<QRadioButton>(screen, "Option2")->text(), "Edit Clock Data");
    EXPECT_EQ(child<QRadioButton>(screen, "Option1")->text(), "Change Button Data");
    EXPECT_EQ(child<QAbstractButton>(screen, "Command1")->text(), "Cancel");
    EXPECT_EQ(child<QAbstractButton>(screen, "Command2")->text(), "OK");
    EXPECT_EQ(child<QAbstractButton>(screen, "Command3")->text(), "Exit All");

    // The Management button while the screen is open only brings it to the front.
    type(screen, "Text2", "qm");
    EXPECT_EQ(openPassFM(), screen);
    EXPECT_EQ(text(screen, "Text2"), "qm");
}

TEST_F(PassFMScreen, WrongPasswordsAreRefused) {
    PassFM* screen = openPassFM();
    for (const QString& wrong :
         {QString("qm483"), QString("QM482"), QString("qm482 "), QString(" qm482"), QString()}) {
        Messages::clearShown();
        type(screen, "Text2", wrong);
        press(screen, "Command2");
        ASSERT_EQ(shownTexts(), QStringList{"Wrong Password"}) << wrong.toStdString();
        EXPECT_EQ(Messages::shown().front().buttons, Messages::OkOnly);
        EXPECT_EQ(text(screen, "Text2"), ""); // OK empties the box
        EXPECT_TRUE(screen->isVisible());
    }
    EXPECT_EQ(openScreen<TimeManage>(), nullptr);

    // Enter: one message. The Enter that closes it is released in the box
    // too, and asks nothing more.
    Messages::clearShown();
    type(screen, "Text2", "qm483");
    pressEnter(child<QLineEdit>(screen, "Text2"));
    releaseKey(child<QLineEdit>(screen, "Text2"), Qt::Key_Return);
    EXPECT_EQ(shownTexts(), QStringList{"Wrong Password"});

    // Exit All keeps what was typed.
    Messages::clearShown();
    type(screen, "Text2", "qm48");
    press(screen, "Command3");
    EXPECT_EQ(shownTexts(), QStringList{"Wrong Password"});
    EXPECT_EQ(text(screen, "Text2"), "qm48");
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(PassFMScreen, EnterOpensTheButtonDataEditorAndClosesThePasswordScreen) {
    QPointer<PassFM> screen = openPassFM();
    child<QRadioButton>(screen, "Option1")->setChecked(true);
    type(screen, "Text2", "qm482");
    pressEnter(child<QLineEdit>(screen, "Text2"));
    EXPECT_TRUE(Messages::shown().isEmpty());
    ButtonData* editor = openScreen<ButtonData>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(text(editor, "Text1_0"), "Worker 1");
    deleteClosedScreens();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(PassFM::current(), nullptr);
}

TEST_F(PassFMScreen, OkOpensTheTimeSheetEditor) {
    PassFM* screen = openPassFM();
    type(screen, "Text2", "qm482");
    press(screen, "Command2");
    EXPECT_NE(openScreen<TimeManage>(), nullptr);
    EXPECT_FALSE(screen->isVisible());

    // A second way in, while the editor is open, brings the same editor forward.
    TimeManage* first = openScreen<TimeManage>();
    PassFM* again = openPassFM();
    type(again, "Text2", "qm482");
    press(again, "Command2");
    int editors = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        editors += qobject_cast<TimeManage*>(w) && w->isVisible();
    EXPECT_EQ(editors, 1);
    EXPECT_EQ(openScreen<TimeManage>(), first);
}

TEST_F(PassFMScreen, AnEditorThatFailsToLoadClosesTheScreenAndBringsBackTheTaskbar) {
    struct FailingEditors : EditorFactory {
        QWidget* make(Editor, FileAccess&, const std::string&, QWidget*) override {
            throw std::runtime_error("the editor failed to load");
        }
    } failing;
    TaskBar::setVisible(false);
    PassFM* screen = PassFM::showManagement(state, nullptr, failing);
    type(screen, "Text2", "qm482");
    press(screen, "Command2");
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(openScreen<TimeManage>(), nullptr);
    EXPECT_TRUE(TaskBar::isVisible());
}

TEST_F(PassFMScreen, CapsLockWarningFollowsTheKeyboard) {
    Keyboard::setCapsLockForTest(true);
    PassFM* screen = openPassFM();
    auto* box = child<QLineEdit>(screen, "Text2");
    auto* warning = child<QLabel>(screen, "Label1");
    focusIn(box);
    EXPECT_TRUE(warning->isVisible());

    releaseKey(box, Qt::Key_A); // still on: stays
    EXPECT_TRUE(warning->isVisible());
    Keyboard::setCapsLockForTest(false);
    releaseKey(box, Qt::Key_A);
    EXPECT_FALSE(warning->isVisible());

    // Turning it on again while typing does not show it before the next focus.
    Keyboard::setCapsLockForTest(true);
    releaseKey(box, Qt::Key_A);
    EXPECT_FALSE(warning->isVisible());
    focusIn(box);
    EXPECT_TRUE(warning->isVisible());
}

TEST_F(PassFMScreen, CancelClosesWithoutACheck) {
    PassFM* screen = openPassFM();
    press(screen, "Command1");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(Messages::shown().isEmpty());
    // Opened again, it starts afresh.
    PassFM* again = openPassFM();
    EXPECT_EQ(text(again, "Text2"), "");
    EXPECT_TRUE(child<QRadioButton>(again, "Option2")->isChecked());
}

TEST_F(PassFMScreen, ExitAllClosesEveryScreenAndTheStationAndShowsTheTaskbar) {
    StationApp station(dir.path());
    station.start();
    HomeFM& home = station.home();
    ASSERT_TRUE(home.isVisible());
    ASSERT_FALSE(TaskBar::isVisible());

    // Through the station's Management button.
    press(&home, "Command4");
    PassFM* first = PassFM::current();
    ASSERT_NE(first, nullptr);
    press(&home, "Command4"); // already open: the same screen comes forward
    EXPECT_EQ(PassFM::current(), first);
    type(first, "Text2", "qm482");
    press(first, "Command2"); // the time sheet
    press(&home, "Command4");
    PassFM* second = PassFM::current();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    child<QRadioButton>(second, "Option1")->setChecked(true);
    type(second, "Text2", "qm482");
    press(second, "Command2"); // the button data
    ASSERT_NE(openScreen<TimeManage>(), nullptr);
    ASSERT_NE(openScreen<ButtonData>(), nullptr);

    // Closing the station by any other way is refused.
    home.close();
    ASSERT_TRUE(home.isVisible());

    press(&home, "Command4");
    PassFM* last = PassFM::current();
    ASSERT_NE(last, nullptr);
    type(last, "Text2", "qm482");
    Messages::clearShown();
    press(last, "Command3");
    EXPECT_TRUE(Messages::shown().isEmpty());
    EXPECT_FALSE(home.isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            << w->objectName().toStdString();
    EXPECT_TRUE(TaskBar::isVisible());
    deleteClosedScreens();
}

} // namespace
} // namespace tc::test
