#pragma once

#include "data/FileAccess.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/FileDialog.h"
#include "platform/Keyboard.h"
#include "platform/Messages.h"
#include "platform/MonotonicClock.h"
#include "platform/SettleTime.h"
#include "platform/TaskBar.h"
#include "support/TempDir.h"
#include "support/WeekBuilder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

namespace tc::test {

// Every platform service in test mode, a fresh program folder, a fixed clock;
// every screen a test leaves open is closed and deleted afterwards.
class ManageScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Messages::setTestMode(true);
        FileDialog::setTestMode(true);
        Clipboard::setTestMode(true);
        Keyboard::setCapsLockForTest(false);
        Environment::setBaseFolderForTest(QString::fromStdString(dir.path()));
        Environment::setScreenSizeForTest(QSize(1024, 768));
        Clock::setFixed(makeDateTime(2009, 2, 4, 10, 0, 0)); // a Wednesday; the week ends Sunday Feb 8 2009
        TaskBar::setVisible(true);
    }

    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Keyboard::setCapsLockForTest(std::nullopt);
        Environment::setBaseFolderForTest(std::nullopt);
        Environment::setScreenSizeForTest(std::nullopt);
        Clock::useSystemTime();
        MonotonicClock::setForTest(std::nullopt);
        TaskBar::setVisible(true);
    }

    static void deleteClosedScreens() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <typename T> static T* child(QWidget* screen, const char* name) {
        T* w = screen->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // A press once the screen has settled (a screen just shown takes none).
    static void press(QWidget* screen, const char* button) {
        MonotonicClock::advanceForTest(SettleTime::kMilliseconds);
        if (auto* b = child<QAbstractButton>(screen, button))
            b->click();
    }
    static void trigger(QWidget* screen, const char* action) {
        if (auto* a = screen->findChild<QAction*>(QString::fromLatin1(action)))
            a->trigger();
        else
            ADD_FAILURE() << action;
    }
    static void type(QWidget* screen, const char* box, const QString& text) {
        if (auto* e = child<QLineEdit>(screen, box))
            e->setText(text);
    }
    static QString text(QWidget* screen, const char* box) {
        auto* e = child<QLineEdit>(screen, box);
        return e ? e->text() : QString();
    }
    static QString caption(QWidget* screen, const char* label) {
        auto* l = child<QLabel>(screen, label);
        return l ? l->text() : QString();
    }
    // A whole employee list (Worker 1 .. Worker 24, two notes) and 20 jobs (1001,Job 1 ...).
    void writeWorkerLists() const {
        writeFile(dir.file("employeelist.txt"), employeeListBytes(workerNames(), {"Note one", "Note two"}));
        std::vector<std::string> jobs;
        for (int j = 1; j <= 20; ++j)
            jobs.push_back(std::to_string(1000 + j) + ",Job " + std::to_string(j));
        writeFile(dir.file("Jobs.dat"), jobListBytes(jobs));
    }
    static QStringList shownTexts() {
        QStringList out;
        for (const auto& s : Messages::shown())
            out << s.text;
        return out;
    }

    TempDir dir;
};

} // namespace tc::test
