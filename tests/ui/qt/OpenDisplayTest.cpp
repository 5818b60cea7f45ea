// What Qt says while the application object is made, from more than one
// thread at once, as Qt's threads do. Built a second time under
// ThreadSanitizer, which sees the threads race where the messages are held
// without a lock.

#include "OpenDisplay.h"

#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <latch>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// What reached the handler that was there before the application object.
std::mutex passedOnLock;
std::vector<QString> passedOn;

constexpr int Together = 200;
constexpr int LogsEvery = 50;

// Records each message, and logs a word of its own on some of the main
// thread's, as a handler that logs through Qt does: passed on while the
// hold ends, that comes back to the hold from inside the handler.
void Record(QtMsgType, const QMessageLogContext&, const QString& text)
{
    {
        const std::lock_guard lock(passedOnLock);
        passedOn.push_back(text);
    }
    if (const QStringList words = text.split(u' '); words.size() == 2 && words[0] == QLatin1String("main")) {
        if (const int number = words[1].toInt(); number < Together && number % LogsEvery == 0)
            qInfo("logged %d", number);
    }
}

std::vector<QString> PassedOn()
{
    const std::lock_guard lock(passedOnLock);
    return passedOn;
}

// The numbers of the messages `who` said, in the order they were passed on.
std::vector<int> NumbersFrom(const std::vector<QString>& messages, const QString& who)
{
    std::vector<int> numbers;
    for (const QString& message : messages) {
        if (message.startsWith(who + QLatin1Char(' ')))
            numbers.push_back(message.mid(who.size() + 1).toInt());
    }
    return numbers;
}

std::vector<int> Count(int from, int to)
{
    std::vector<int> numbers;
    for (int i = from; i < to; ++i)
        numbers.push_back(i);
    return numbers;
}

std::latch* bothSpeak = nullptr;
std::atomic<int> otherSaid = 0;
std::vector<QString> passedOnWhileMade;

// Run by QCoreApplication's constructor: the main thread and the other one
// speak at once while the application object is made.
void WhileMade()
{
    bothSpeak->arrive_and_wait();
    for (int i = 0; i < Together; ++i)
        qWarning("main %d", i);
    while (otherSaid < Together)
        std::this_thread::yield();
    passedOnWhileMade = PassedOn();
}

// Makes the application object where QT_FATAL_CRITICALS makes Qt abort
// after a critical message said meanwhile.
void MadeWhileQtAbortsOnCriticals()
{
    ::setenv("QT_FATAL_CRITICALS", "1", 1);
    qAddPreRoutine([] { qCritical("said as Qt aborts"); });
    int argc = 1;
    char name[] = "open_display_tests";
    char* argv[] = {name, nullptr};
    Brisvane::OpenDisplay(argc, argv);
}

}  // namespace

// That message is passed on at once rather than held: Qt's abort stays, and
// what it aborted after is seen. In a process of its own.
TEST(OpenDisplayDeathTest, PassesOnWhatQtAbortsAfter)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(MadeWhileQtAbortsOnCriticals(), "said as Qt aborts");
}

TEST(OpenDisplay, PassesOnWhatEveryThreadSaidInItsOrder)
{
    qInstallMessageHandler(Record);
    std::latch start(2);
    bothSpeak = &start;
    qAddPreRoutine(WhileMade);

    // The other thread goes on speaking while the hold ends and after it.
    std::atomic<bool> stop = false;
    std::thread other([&stop] {
        bothSpeak->arrive_and_wait();
        for (int i = 0; !stop || i < Together; ++i) {
            qWarning("other %d", i);
            ++otherSaid;
        }
    });
    int argc = 1;
    char name[] = "open_display_tests";
    char* argv[] = {name, nullptr};
    const std::unique_ptr<QApplication> application = Brisvane::OpenDisplay(argc, argv);
    stop = true;
    other.join();
    ASSERT_NE(application, nullptr);

    // Held while the application object was made,
    EXPECT_EQ(NumbersFrom(passedOnWhileMade, QStringLiteral("main")), std::vector<int>{});
    EXPECT_EQ(NumbersFrom(passedOnWhileMade, QStringLiteral("other")), std::vector<int>{});
    // then passed on, each once and in the order its thread said it; and
    // what the other thread said after, in its place.
    const std::vector<QString> messages = PassedOn();
    EXPECT_EQ(NumbersFrom(messages, QStringLiteral("main")), Count(0, Together));
    EXPECT_EQ(NumbersFrom(messages, QStringLiteral("other")), Count(0, otherSaid));
    // What that handler logged while they were passed on came straight
    // back to it, after the message it logged on.
    for (int number = 0; number < Together; number += LogsEvery) {
        const auto said = std::find(messages.begin(), messages.end(), QStringLiteral("main %1").arg(number));
        ASSERT_LT(said + 1, messages.end()) << number;
        EXPECT_EQ(said[1], QStringLiteral("logged %1").arg(number));
    }
    // And the handler that was there before is put back.
    EXPECT_EQ(qInstallMessageHandler(nullptr), &Record);
}
