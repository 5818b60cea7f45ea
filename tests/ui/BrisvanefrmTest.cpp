#include "Brisvanefrm.h"
#include "CommandLine.h"
#include "DialogScript.h"
#include "Error.h"
#include "EpochText.h"
#include "EventDispatch.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace Brisvane;

namespace {

class FakeZoneSource final : public ZoneSource {
public:
    explicit FakeZoneSource(ZoneAnswer answer) : answer(answer) {}
    ZoneAnswer Query(std::chrono::system_clock::time_point) const override { return answer; }
    ZoneAnswer answer;
};

const ZoneAnswer Utc{ZoneState::Standard, 0, 0};

// A window over a fake zone, in the "C" locale so that texts are predictable.
struct Fixture {
    explicit Fixture(std::string commandLine = {}, ZoneAnswer zoneAnswer = Utc)
        : zone(zoneAnswer), format(NamedRegionalFormat("C")),
          form(std::make_unique<Brisvanefrm>(zone, *format, std::move(commandLine)))
    {
    }

    QLineEdit* Box(const char* name) const { return form->findChild<QLineEdit*>(name); }
    QString Text(const char* name) const { return Box(name)->text(); }
    QPushButton* Convert() const { return form->findChild<QPushButton*>("Command1"); }

    FakeZoneSource zone;
    std::unique_ptr<const RegionalFormat> format;
    std::unique_ptr<Brisvanefrm> form;
};

void ExpectInvalidEpochBox(const SeenDialog& seen)
{
    QCOMPARE(seen.kind, QStringLiteral("message"));
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, QStringLiteral("Invalid Epoch date entered."));
    QCOMPARE(seen.icon, static_cast<int>(QMessageBox::Critical));
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
}

void ExpectPrompt(const SeenDialog& seen)
{
    QCOMPARE(seen.kind, QStringLiteral("input"));
    QCOMPARE(seen.title, QStringLiteral("Epoch to Local Date"));
    QCOMPARE(seen.text, QStringLiteral("Enter Epoch date (Unix timestamp):"));
    QCOMPARE(seen.answer, QString());
    QCOMPARE(seen.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
}

}  // namespace

class BrisvanefrmTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutIsTheStoredOne_data();
    void layoutIsTheStoredOne();
    void windowAndFonts();
    void tabOrder();
    void commandLineValueConvertsWithoutPrompt();
    void noCommandLinePromptsOverTheVisibleWindow();
    void promptAnswers_data();
    void promptAnswers();
    void cancelShowsZeroAndTheErrorBox();
    void typedTextIsIgnored();
    void enterInABoxDoesNotConvert();
    void negativeCommandLineIsRejectedByTheFirstRequest();
    void badCommandLineRaisesAfterTheWindowIsShown_data();
    void badCommandLineRaisesAfterTheWindowIsShown();
    void zoneOffset_data();
    void zoneOffset();
    void zoneOverflowRaisesBeforeTheWindowIsShown();
    void longTextShowsItsBeginning();
    void unhandledErrorIsReportedByKind();
    void unhandledErrorBoxKeepsItsSize_data();
    void unhandledErrorBoxKeepsItsSize();
    void commandLineText_data();
    void commandLineText();
};

void BrisvanefrmTest::initTestCase()
{
    // The offscreen platform warns about every dialog it sizes; that says
    // nothing about the program and buries real messages.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            previous(type, context, message);
    });
}

void BrisvanefrmTest::layoutIsTheStoredOne_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1" << "QLabel" << QRect(8, 16, 73, 17) << "Epoch Date";
    QTest::newRow("EpochDate") << "EpochDate" << "QLineEdit" << QRect(80, 8, 145, 19) << "";
    QTest::newRow("Command1") << "Command1" << "QPushButton" << QRect(240, 8, 57, 25) << "convert";
    QTest::newRow("Label2") << "Label2" << "QLabel" << QRect(8, 40, 73, 17) << "Local Date";
    QTest::newRow("LocalDate") << "LocalDate" << "QLineEdit" << QRect(80, 40, 145, 19) << "";
    QTest::newRow("Zone") << "Zone" << "QLineEdit" << QRect(232, 40, 65, 19) << "";
}

void BrisvanefrmTest::layoutIsTheStoredOne()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    Fixture f;
    auto* control = f.form->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->metaObject()->className(), kind);
    QCOMPARE(control->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), text);
    else if (auto* button = qobject_cast<QPushButton*>(control))
        QCOMPARE(button->text(), text);
    else
        QCOMPARE(qobject_cast<QLineEdit*>(control)->text(), text);
}

void BrisvanefrmTest::windowAndFonts()
{
    Fixture f;
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Brisvane"));
    QCOMPARE(f.form->size(), QSize(309, 89));
    QVERIFY(f.form->isWindow());
    // Compiled in, so that every window has it from the start.
    QVERIFY(!f.form->windowIcon().pixmap(16, 16).isNull());
    QVERIFY(!f.form->windowIcon().pixmap(32, 32).isNull());

    for (const char* name : {"EpochDate", "LocalDate"}) {
        QLineEdit* box = f.Box(name);
        box->ensurePolished();
        QCOMPARE(box->font().pixelSize(), 13);
        QVERIFY(box->font().bold());
        QVERIFY(!box->isReadOnly());
    }
    for (const char* name : {"Label1", "Label2", "Command1", "Zone"}) {
        auto* control = f.form->findChild<QWidget*>(name);
        control->ensurePolished();
        QCOMPARE(control->font(), f.form->font());
    }
    QVERIFY(f.Box("Zone")->isReadOnly());

    // "convert" is an ordinary button: Enter in a box does not press it.
    QVERIFY(!f.Convert()->isDefault());
    QVERIFY(!f.Convert()->autoDefault());

    // Where a label overlaps its box by a pixel, the box is drawn on top.
    const QObjectList children = f.form->children();
    QVERIFY(children.indexOf(f.form->findChild<QLabel*>("Label1")) < children.indexOf(f.Box("EpochDate")));
    QVERIFY(children.indexOf(f.form->findChild<QLabel*>("Label2")) < children.indexOf(f.Box("LocalDate")));

    QCOMPARE(f.Box("EpochDate")->accessibleName(), QStringLiteral("Epoch Date"));
    QCOMPARE(f.Box("LocalDate")->accessibleName(), QStringLiteral("Local Date"));
    QCOMPARE(f.Box("Zone")->accessibleName(), QStringLiteral("Zone offset in hours"));
}

void BrisvanefrmTest::tabOrder()
{
    Fixture f("1");
    f.form->Form_Load();
    QApplication::setActiveWindow(f.form.get());
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QCOMPARE(QApplication::focusWidget(), f.Box("EpochDate"));

    const QList<QWidget*> forward = {f.Box("LocalDate"), f.Convert(), f.Box("Zone"), f.Box("EpochDate")};
    for (QWidget* expected : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), f.Box("Zone"));
}

void BrisvanefrmTest::commandLineValueConvertsWithoutPrompt()
{
    Fixture f("1600000000");
    {
        DialogScript script({});
        f.form->Form_Load();
        QCOMPARE(script.Seen().size(), std::size_t{0});
    }
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("1600000000"));
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("09/13/20 12:26:40"));
    QCOMPARE(f.Text("Zone"), QStringLiteral("0"));

    // Only the first request uses the command line; a click asks.
    DialogScript next({DialogScript::Answer("86400")});
    f.Convert()->click();
    QCOMPARE(next.Seen().size(), std::size_t{1});
    ExpectPrompt(next.Seen()[0]);
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("86400"));
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/02/70"));
}

void BrisvanefrmTest::noCommandLinePromptsOverTheVisibleWindow()
{
    Fixture f;
    bool visibleAtPrompt = false;
    DialogScript script({[&](QWidget* dialog) {
        visibleAtPrompt = f.form->isVisible();
        DialogScript::Answer("1")(dialog);
    }});
    f.form->Form_Load();
    QVERIFY(visibleAtPrompt);
    QCOMPARE(script.Seen().size(), std::size_t{1});
    ExpectPrompt(script.Seen()[0]);
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("1"));
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/01/70 00:00:01"));
}

void BrisvanefrmTest::promptAnswers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("epochDate");
    QTest::addColumn<QString>("localDate");  // "-" when the request is rejected
    QTest::newRow("plain") << "1600000000" << "1600000000" << "09/13/20 12:26:40";
    QTest::newRow("one") << "1" << "1" << "01/01/70 00:00:01";
    QTest::newRow("half rounds to even") << "1.5" << "2" << "01/01/70 00:00:02";
    QTest::newRow("exponent") << "1e3" << "1000" << "01/01/70 00:16:40";
    QTest::newRow("blanks inside") << " 86 400 " << "86400" << "01/02/70";
    QTest::newRow("trailing words") << "86400 seconds" << "86400" << "01/02/70";
    QTest::newRow("zero") << "0" << "0" << "-";
    QTest::newRow("rounds to zero") << "0.4" << "0" << "-";
    QTest::newRow("negative") << "-1" << "-1" << "-";
    QTest::newRow("no number") << "abc" << "0" << "-";
    QTest::newRow("empty") << "" << "0" << "-";
    // Past the 32-bit range: rejected like any mistyped answer, the window
    // stays and the boxes keep what they showed.
    QTest::newRow("milliseconds") << "1600000000000" << "42" << "-";
    QTest::newRow("eleven digits") << "21474836470" << "42" << "-";
}

void BrisvanefrmTest::promptAnswers()
{
    QFETCH(QString, answer);
    QFETCH(QString, epochDate);
    QFETCH(QString, localDate);
    Fixture f("42");
    f.form->Form_Load();
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/01/70 00:00:42"));

    const bool rejected = localDate == "-";
    std::vector<DialogScript::Step> steps = {DialogScript::Answer(answer)};
    if (rejected)
        steps.push_back(DialogScript::Ok());
    DialogScript script(steps);
    f.Convert()->click();

    QCOMPARE(script.Seen().size(), steps.size());
    QCOMPARE(script.Unanswered(), std::size_t{0});
    QCOMPARE(f.Text("EpochDate"), epochDate);
    if (rejected) {
        ExpectInvalidEpochBox(script.Seen()[1]);
        QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/01/70 00:00:42"));
    } else {
        QCOMPARE(f.Text("LocalDate"), localDate);
    }
}

void BrisvanefrmTest::cancelShowsZeroAndTheErrorBox()
{
    Fixture f("42");
    f.form->Form_Load();
    DialogScript script({DialogScript::Cancel(), DialogScript::Ok()});
    f.Convert()->click();
    QCOMPARE(script.Seen().size(), std::size_t{2});
    ExpectInvalidEpochBox(script.Seen()[1]);
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("0"));
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/01/70 00:00:42"));
}

void BrisvanefrmTest::typedTextIsIgnored()
{
    Fixture f("42");
    f.form->Form_Load();
    QTest::keyClicks(f.Box("EpochDate"), "999");
    QTest::keyClicks(f.Box("LocalDate"), "x");
    DialogScript script({DialogScript::Answer("86400")});
    f.Convert()->click();
    QCOMPARE(script.Seen().size(), std::size_t{1});
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("86400"));
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/02/70"));
}

void BrisvanefrmTest::enterInABoxDoesNotConvert()
{
    Fixture f("42");
    f.form->Form_Load();
    DialogScript script({});
    for (const char* name : {"EpochDate", "LocalDate", "Zone"}) {
        QTest::keyClick(f.Box(name), Qt::Key_Return);
        QTest::keyClick(f.Box(name), Qt::Key_Enter);
    }
    QCoreApplication::processEvents();
    QCOMPARE(script.Seen().size(), std::size_t{0});
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/01/70 00:00:42"));
}

void BrisvanefrmTest::negativeCommandLineIsRejectedByTheFirstRequest()
{
    Fixture f("-5");
    {
        DialogScript script({DialogScript::Ok()});
        f.form->Form_Load();
        QCOMPARE(script.Seen().size(), std::size_t{1});
        ExpectInvalidEpochBox(script.Seen()[0]);
    }
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("-5"));
    QCOMPARE(f.Text("LocalDate"), QString());

    // The window stays; the next click asks.
    DialogScript next({DialogScript::Answer("1")});
    f.Convert()->click();
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("01/01/70 00:00:01"));
}

void BrisvanefrmTest::badCommandLineRaisesAfterTheWindowIsShown_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("kind");
    QTest::newRow("two words") << "1600000000 abc" << static_cast<int>(ErrorKind::TypeMismatch);
    QTest::newRow("letters") << "12x34" << static_cast<int>(ErrorKind::TypeMismatch);
    QTest::newRow("too large") << "3000000000" << static_cast<int>(ErrorKind::Overflow);
    QTest::newRow("milliseconds") << "1600000000000" << static_cast<int>(ErrorKind::Overflow);
}

void BrisvanefrmTest::badCommandLineRaisesAfterTheWindowIsShown()
{
    QFETCH(QString, commandLine);
    QFETCH(int, kind);
    Fixture f(commandLine.toStdString());
    DialogScript script({});
    try {
        f.form->Form_Load();
        QFAIL("the command line was accepted");
    } catch (const Error& e) {
        QCOMPARE(static_cast<int>(e.Kind()), kind);
        QVERIFY(e.Detail().find(commandLine.toStdString()) != std::string::npos);
    }
    QVERIFY(f.form->isVisible());
    QCOMPARE(script.Seen().size(), std::size_t{0});
    QCOMPARE(f.Text("EpochDate"), QString());
    QCOMPARE(f.Text("LocalDate"), QString());
}

void BrisvanefrmTest::zoneOffset_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("bias");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("localDate");  // of epoch 1600000000
    QTest::newRow("India, no daylight saving")
        << static_cast<int>(ZoneState::NoDaylightRules) << -330 << "5.5" << "09/13/20 17:56:40";
    QTest::newRow("New York, standard") << static_cast<int>(ZoneState::Standard) << 300 << "-5" << "09/13/20 07:26:40";
    QTest::newRow("New York, daylight") << static_cast<int>(ZoneState::Daylight) << 300 << "-4" << "09/13/20 08:26:40";
    QTest::newRow("platform failure") << static_cast<int>(ZoneState::Failure) << -330 << "" << "09/13/20 12:26:40";
}

void BrisvanefrmTest::zoneOffset()
{
    QFETCH(int, state);
    QFETCH(int, bias);
    QFETCH(QString, zone);
    QFETCH(QString, localDate);
    Fixture f("1600000000", ZoneAnswer{static_cast<ZoneState>(state), bias, -60});
    f.form->Form_Load();
    QCOMPARE(f.Text("Zone"), zone);
    QCOMPARE(f.Text("LocalDate"), localDate);
}

void BrisvanefrmTest::zoneOverflowRaisesBeforeTheWindowIsShown()
{
    Fixture f("1", ZoneAnswer{ZoneState::Standard, 40'000'000, 0});
    try {
        f.form->Form_Load();
        QFAIL("an out-of-range bias was accepted");
    } catch (const Error& e) {
        QCOMPARE(e.Kind(), ErrorKind::Overflow);
    }
    QVERIFY(!f.form->isVisible());
    QCOMPARE(f.Text("Zone"), QString());
}

void BrisvanefrmTest::longTextShowsItsBeginning()
{
    Fixture f("2147483647");
    f.form->Form_Load();
    QCOMPARE(f.Box("LocalDate")->cursorPosition(), 0);
    QCOMPARE(f.Box("EpochDate")->cursorPosition(), 0);
}

void BrisvanefrmTest::unhandledErrorIsReportedByKind()
{
    Fixture f;
    DialogScript script({DialogScript::Ok()});
    const bool ran = RunEventHandler(f.form.get(), [] { ParseEpochStrict("12x34", "."); });
    QVERIFY(!ran);
    QCOMPARE(script.Seen().size(), std::size_t{1});
    const SeenDialog& seen = script.Seen()[0];
    QCOMPARE(seen.title, QStringLiteral("Type mismatch"));
    QVERIFY2(seen.text.contains(QStringLiteral("\"12x34\" is not a number")), qPrintable(seen.text));
    QCOMPARE(seen.icon, static_cast<int>(QMessageBox::Critical));
    QVERIFY(RunEventHandler(f.form.get(), [] {}));
}

void BrisvanefrmTest::unhandledErrorBoxKeepsItsSize_data()
{
    QTest::addColumn<QByteArray>("commandLine");
    QTest::addColumn<QString>("shown");  // part of the message, as the user sees it
    QTest::newRow("plain") << QByteArray("12x34") << "\"12x34\"";
    QTest::newRow("markup") << QByteArray("<h1>12</h1>") << "\"<h1>12</h1>\"";
    QTest::newRow("line separators") << QByteArray("1\xE2\x80\xA8").repeated(10) << "\"1\\u20281\\u2028";
    QTest::newRow("right-to-left override") << QByteArray("\xE2\x80\xAEx") << "\"\\u202Ex\"";
    QTest::newRow("controls") << QByteArray("\x01").repeated(60) << "\"\\x01\\x01";
    QTest::newRow("long") << QByteArray("9").repeated(5000) << "\"999";
}

void BrisvanefrmTest::unhandledErrorBoxKeepsItsSize()
{
    QFETCH(QByteArray, commandLine);
    QFETCH(QString, shown);
    Fixture f;
    DialogScript script({DialogScript::Ok(), DialogScript::Ok()});
    RunEventHandler(f.form.get(), [] { ParseEpochStrict("12x34", "."); });
    RunEventHandler(f.form.get(), [&] { ParseEpochStrict(commandLine.toStdString(), "."); });
    QCOMPARE(script.Seen().size(), std::size_t{2});
    const SeenDialog& normal = script.Seen()[0];
    const SeenDialog& seen = script.Seen()[1];
    QVERIFY(seen.plainText);
    QVERIFY2(seen.text.contains(shown), qPrintable(seen.text));
    // About as large as the message for a plain mistake: a line longer at most.
    QVERIFY2(seen.size.width() <= normal.size.width() * 2 && seen.size.height() < normal.size.height() * 3 / 2,
             qPrintable(QStringLiteral("%1x%2 against %3x%4")
                            .arg(seen.size.width())
                            .arg(seen.size.height())
                            .arg(normal.size.width())
                            .arg(normal.size.height())));
}

void BrisvanefrmTest::commandLineText_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("one") << QStringList{"1600000000"} << "1600000000";
    QTest::newRow("joined with one blank") << QStringList{"12", "abc"} << "12 abc";
    QTest::newRow("blanks only") << QStringList{"  ", " "} << "";
    QTest::newRow("leading blanks dropped") << QStringList{"  42 "} << "42 ";
    QTest::newRow("looks like a Qt option") << QStringList{"-reverse"} << "-reverse";
}

void BrisvanefrmTest::commandLineText()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);
    std::vector<std::string> storage = {"brisvane"};
    for (const QString& argument : arguments)
        storage.push_back(argument.toStdString());
    std::vector<const char*> argv;
    for (const std::string& s : storage)
        argv.push_back(s.c_str());
    QCOMPARE(QString::fromStdString(CommandLineText(static_cast<int>(argv.size()), argv.data())), text);
}

QTEST_MAIN(BrisvanefrmTest)
#include "BrisvanefrmTest.moc"
