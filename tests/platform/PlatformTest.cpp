#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/FileDialog.h"
#include "platform/Keyboard.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using namespace tc;

TEST(Messages, TestModeRecordsAndAnswersInOrder) {
    Messages::setTestMode(true);
    EXPECT_EQ(Messages::show(nullptr, QStringLiteral("one")), Messages::Ok);
    Messages::setNextAnswer(Messages::No);
    Messages::setNextAnswer(Messages::Cancel);
    EXPECT_EQ(Messages::show(nullptr, QStringLiteral("two\r\nlines"), Messages::YesNoCancel,
                             QStringLiteral("Save")),
              Messages::No);
    EXPECT_EQ(Messages::show(nullptr, QStringLiteral("three"), Messages::OkCritical), Messages::Cancel);
    EXPECT_EQ(Messages::show(nullptr, QStringLiteral("four")), Messages::Ok);
    ASSERT_EQ(Messages::shown().size(), 4);
    EXPECT_EQ(Messages::shown()[0].title, QStringLiteral("Time Clock"));
    EXPECT_EQ(Messages::shown()[1].text, QStringLiteral("two\r\nlines"));
    EXPECT_EQ(Messages::shown()[1].buttons, 3);
    EXPECT_EQ(Messages::shown()[1].title, QStringLiteral("Save"));
    EXPECT_EQ(Messages::shown()[2].buttons, 16);
    Messages::setTestMode(false);
    EXPECT_TRUE(Messages::shown().isEmpty());
}

TEST(Clock, FixedAndAdvancedThenSystem) {
    Clock::setFixed(makeDateTime(2025, 2, 8, 23, 59, 30));
    EXPECT_EQ(Clock::now(), makeDateTime(2025, 2, 8, 23, 59, 30));
    Clock::advance(45);
    EXPECT_EQ(Clock::now(), makeDateTime(2025, 2, 9, 0, 0, 15));
    Clock::useSystemTime();
    const DateTime t = Clock::now();
    EXPECT_GE(t.year, 2024);
}

TEST(FileDialogAndClipboard, TestQueuesStandIn) {
    FileDialog::setTestMode(true);
    FileDialog::setNextFileName(QStringLiteral("/x/Week Ending Sunday Feb 9 2025.dat"));
    FileDialog::setNextFileName(std::nullopt);
    EXPECT_EQ(FileDialog::getOpenFileName(nullptr, {}, {}, {}),
              QStringLiteral("/x/Week Ending Sunday Feb 9 2025.dat"));
    EXPECT_EQ(FileDialog::getOpenFileName(nullptr, {}, {}, {}), std::nullopt);
    EXPECT_EQ(FileDialog::getOpenFileName(nullptr, {}, {}, {}), std::nullopt); // nothing queued: cancel
    FileDialog::setTestMode(false);

    Clipboard::setTestMode(true);
    Clipboard::setText(QStringLiteral("a\tb\rc"));
    EXPECT_EQ(Clipboard::text(), QStringLiteral("a\tb\rc"));
    Clipboard::clear();
    EXPECT_EQ(Clipboard::text(), QString());
    Clipboard::setTestMode(false);

    Keyboard::setCapsLockForTest(true);
    EXPECT_TRUE(Keyboard::capsLockOn());
    Keyboard::setCapsLockForTest(false);
    EXPECT_FALSE(Keyboard::capsLockOn());
    Keyboard::setCapsLockForTest(std::nullopt);
}

TEST(Environment, BaseFolderAndScaling) {
    Environment::setBaseFolderForTest(std::nullopt);
    const QString base = Environment::baseFolder();
    EXPECT_EQ(base, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    EXPECT_FALSE(base.endsWith(QLatin1Char('/')));
    Environment::setBaseFolderForTest(QStringLiteral("/tmp/tc"));
    EXPECT_EQ(Environment::baseFolder(), QStringLiteral("/tmp/tc"));
    Environment::setBaseFolderForTest(std::nullopt);

    Environment::setScreenSizeForTest(QSize(1024, 768));
    EXPECT_EQ(Environment::scaled(32, 16, 300, 73), QRect(32, 16, 300, 73));
    EXPECT_EQ(Environment::scaledPointSize(22), 22);
    Environment::setScreenSizeForTest(QSize(2048, 1536));
    EXPECT_EQ(Environment::scaled(32, 16, 300, 73), QRect(64, 32, 600, 146));
    EXPECT_EQ(Environment::scaledPointSize(22), 44);
    // Neighbours keep touching after scaling by an odd factor.
    Environment::setScreenSizeForTest(QSize(1366, 768));
    const QRect a = Environment::scaled(32, 16, 300, 73);
    const QRect b = Environment::scaled(332, 16, 12, 73);
    EXPECT_EQ(a.right() + 1, b.left());
    EXPECT_EQ(Environment::scaledPointSize(22), 22); // the smaller factor rules
    Environment::setScreenSizeForTest(std::nullopt);
}

TEST(ScreenFonts, FallBackToTheMetricTwins) {
    const QString arial = ScreenFonts::arialFamily();
    EXPECT_TRUE(arial == QStringLiteral("Arial") || arial == QStringLiteral("Liberation Sans"))
        << arial.toStdString();
    const QString narrow = ScreenFonts::arialNarrowFamily();
    EXPECT_TRUE(narrow == QStringLiteral("Arial Narrow") ||
                narrow == QStringLiteral("Liberation Sans Narrow"))
        << narrow.toStdString();
    Environment::setScreenSizeForTest(QSize(1024, 768));
    EXPECT_EQ(ScreenFonts::arialNarrow(48).pointSize(), 48);
    Environment::setScreenSizeForTest(std::nullopt);
}
