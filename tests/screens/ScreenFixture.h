#pragma once

#include "app/StationApp.h"
#include "gui/station/StationScreen.h"
#include "platform/SettleTime.h"
#include "support/WeekBuilder.h"
#include "support/fakes/FakeServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

namespace tc::test {

// The program folder with both lists (Worker 1 .. Worker 24; jobs 1234 and
// 2001 and a description without a job), the clock at Monday 3 February 2025
// 9:05:07 AM, every service faked, and presses as a person makes them.
class ScreenFixture : public ::testing::Test {
  protected:
    FakeServices fakes;
    ProgramFolder base;
    std::unique_ptr<StationApp> app;

    void SetUp() override {
        fakes.clock.set(mondayFeb3(9, 5, 7));
        base.writeLists(employeeListBytes(workerNames(), {"Note one", "Note two"}),
                        jobListBytes({"1234,Roof repair", "2001,Siding", "   ,Only a description"}));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        settle();
    }

    // The station with these settings; what its start tells is let go.
    void start(const std::string& settings = "") {
        if (!settings.empty())
            writeFile(base.file("timeclock.ini"), settings);
        app = std::make_unique<StationApp>(fakes.services, base.path());
        app->start();
        told();
    }
    StationScreen& home() { return app->home(); }
    std::string week() const { return base.weekFile(mondayFeb3()); }

    // The screen of that name that is showing, if any.
    static QWidget* shown(const QString& name) {
        for (QWidget* w : QApplication::allWidgets())
            if (w->objectName() == name && w->isVisible())
                return w;
        return nullptr;
    }
    // A press at once, as the second half of a quick double tap lands.
    static void tap(QWidget* screen, const QString& name) {
        auto* b = screen ? screen->findChild<QAbstractButton*>(name) : nullptr;
        ASSERT_NE(b, nullptr) << name.toStdString();
        b->click();
    }
    // A press once the screen has settled.
    void press(QWidget* screen, const QString& name) {
        fakes.monotonic.advance(SettleTime::kMilliseconds);
        tap(screen, name);
    }
    static void type(QWidget* screen, const QString& box, const QString& text) {
        screen->findChild<QLineEdit*>(box)->setText(text);
    }
    // Screens closed go away now, as they do once the press is handled.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Everything told since the last call.
    QStringList told() {
        QStringList texts;
        for (const FakeMessages::Shown& m : fakes.messages.shown())
            texts << m.text;
        fakes.messages.clearShown();
        return texts;
    }
    // The password screen (opened unless it shows), an option, a password and OK.
    void management(const QString& password, const char* option = nullptr) {
        if (!shown("PasswordScreen"))
            press(&home(), "managementButton");
        QWidget* pass = shown("PasswordScreen");
        ASSERT_NE(pass, nullptr);
        if (option)
            tap(pass, option);
        type(pass, "passwordBox", password);
        press(pass, "okButton");
        settle();
    }
};

} // namespace tc::test
