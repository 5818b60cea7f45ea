// The Qt view: what it shows and how it behaves as a window. What the form
// decides is tested against a fake view (tests/ui/BrisvanefrmTest.cpp).

#include "Brisvanefrm.h"
#include "DialogScript.h"
#include "EpochText.h"
#include "EventDispatch.h"
#include "FixedRegionalFormat.h"
#include "FixedZoneSource.h"
#include "QtView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

using namespace Brisvane;

namespace {

// The view wired to a form, as the program wires them, over a fixed zone
// and fixed regional formats.
struct Fixture {
    explicit Fixture(std::string commandLine = "42") : form(view, zone, format, std::move(commandLine))
    {
        view.Connect(form);
    }

    QLineEdit* Box(const char* name) const { return view.findChild<QLineEdit*>(name); }
    QString Text(const char* name) const { return Box(name)->text(); }
    QPushButton* Convert() const { return view.findChild<QPushButton*>("Command1"); }

    FixedZoneSource zone;
    FixedRegionalFormat format;
    QtView view;
    Brisvanefrm form;
};

}  // namespace

class QtViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutIsTheStoredOne_data();
    void layoutIsTheStoredOne();
    void windowAndFonts();
    void tabOrder();
    void clickRunsARequestAndTypedTextIsIgnored();
    void enterInABoxDoesNotConvert();
    void longTextShowsItsBeginning();
    void dialogsShowWhatTheyAreGiven();
    void unhandledErrorBoxKeepsItsSize_data();
    void unhandledErrorBoxKeepsItsSize();
};

void QtViewTest::initTestCase()
{
    // The offscreen platform warns about every dialog it sizes; that says
    // nothing about the program and buries real messages.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            previous(type, context, message);
    });
}

void QtViewTest::layoutIsTheStoredOne_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1"
                            << "QLabel" << QRect(8, 16, 73, 17) << "Epoch Date";
    QTest::newRow("EpochDate") << "EpochDate"
                               << "QLineEdit" << QRect(80, 8, 145, 19) << "";
    QTest::newRow("Command1") << "Command1"
                              << "QPushButton" << QRect(240, 8, 57, 25) << "convert";
    QTest::newRow("Label2") << "Label2"
                            << "QLabel" << QRect(8, 40, 73, 17) << "Local Date";
    QTest::newRow("LocalDate") << "LocalDate"
                               << "QLineEdit" << QRect(80, 40, 145, 19) << "";
    QTest::newRow("Zone") << "Zone"
                          << "QLineEdit" << QRect(232, 40, 65, 19) << "";
}

void QtViewTest::layoutIsTheStoredOne()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QtView view;
    auto* control = view.findChild<QWidget*>(name);
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

void QtViewTest::windowAndFonts()
{
    Fixture f;
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Brisvane"));
    QCOMPARE(f.view.size(), QSize(309, 89));
    QVERIFY(f.view.isWindow());
    // Compiled in, so that every window has it from the start.
    QVERIFY(!f.view.windowIcon().pixmap(16, 16).isNull());
    QVERIFY(!f.view.windowIcon().pixmap(32, 32).isNull());

    for (const char* name : {"EpochDate", "LocalDate"}) {
        QLineEdit* box = f.Box(name);
        box->ensurePolished();
        QCOMPARE(box->font().pixelSize(), 13);
        QVERIFY(box->font().bold());
        QVERIFY(!box->isReadOnly());
    }
    for (const char* name : {"Label1", "Label2", "Command1", "Zone"}) {
        auto* control = f.view.findChild<QWidget*>(name);
        control->ensurePolished();
        QCOMPARE(control->font(), f.view.font());
    }
    QVERIFY(f.Box("Zone")->isReadOnly());

    // "convert" is an ordinary button: Enter in a box does not press it.
    QVERIFY(!f.Convert()->isDefault());
    QVERIFY(!f.Convert()->autoDefault());

    // Where a label overlaps its box by a pixel, the box is drawn on top.
    const QObjectList children = f.view.children();
    QVERIFY(children.indexOf(f.view.findChild<QLabel*>("Label1")) < children.indexOf(f.Box("EpochDate")));
    QVERIFY(children.indexOf(f.view.findChild<QLabel*>("Label2")) < children.indexOf(f.Box("LocalDate")));

    QCOMPARE(f.Box("EpochDate")->accessibleName(), QStringLiteral("Epoch Date"));
    QCOMPARE(f.Box("LocalDate")->accessibleName(), QStringLiteral("Local Date"));
    QCOMPARE(f.Box("Zone")->accessibleName(), QStringLiteral("Zone offset in hours"));
}

void QtViewTest::tabOrder()
{
    Fixture f;
    f.form.Form_Load();
    QApplication::setActiveWindow(&f.view);
    QVERIFY(QTest::qWaitForWindowActive(&f.view));
    QCOMPARE(QApplication::focusWidget(), f.Box("EpochDate"));

    const QList<QWidget*> forward = {f.Box("LocalDate"), f.Convert(), f.Box("Zone"), f.Box("EpochDate")};
    for (QWidget* expected : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), f.Box("Zone"));
}

void QtViewTest::clickRunsARequestAndTypedTextIsIgnored()
{
    Fixture f;
    f.form.Form_Load();
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("42"));
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("1970-01-01 00:00:42"));
    QCOMPARE(f.Text("Zone"), QStringLiteral("0"));

    QTest::keyClicks(f.Box("EpochDate"), "999");
    QTest::keyClicks(f.Box("LocalDate"), "x");
    DialogScript script({DialogScript::Answer("86400")});
    QTest::mouseClick(f.Convert(), Qt::LeftButton);
    QCOMPARE(script.Seen().size(), std::size_t{1});
    QCOMPARE(script.Seen()[0].kind, QStringLiteral("input"));
    QCOMPARE(f.Text("EpochDate"), QStringLiteral("86400"));
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("1970-01-02"));
}

void QtViewTest::enterInABoxDoesNotConvert()
{
    Fixture f;
    f.form.Form_Load();
    DialogScript script({});
    for (const char* name : {"EpochDate", "LocalDate", "Zone"}) {
        QTest::keyClick(f.Box(name), Qt::Key_Return);
        QTest::keyClick(f.Box(name), Qt::Key_Enter);
    }
    QCoreApplication::processEvents();
    QCOMPARE(script.Seen().size(), std::size_t{0});
    QCOMPARE(f.Text("LocalDate"), QStringLiteral("1970-01-01 00:00:42"));
}

void QtViewTest::longTextShowsItsBeginning()
{
    QtView view;
    for (const TextBox box : {TextBox::EpochDate, TextBox::LocalDate, TextBox::Zone})
        view.SetText(box, "Wednesday, 19 January 2038, 03:14:07 in the morning");
    for (const char* name : {"EpochDate", "LocalDate", "Zone"})
        QCOMPARE(view.findChild<QLineEdit*>(name)->cursorPosition(), 0);
}

void QtViewTest::dialogsShowWhatTheyAreGiven()
{
    QtView view;
    DialogScript script(
        {DialogScript::Answer("12 34"), DialogScript::Cancel(), DialogScript::Ok(), DialogScript::Ok()});
    QCOMPARE(view.Prompt("A title", "A question"), std::string("12 34"));
    QCOMPARE(view.Prompt("A title", "A question"), std::string());
    view.ShowError("Error", "Invalid Epoch date entered.");
    view.ReportUnhandledError({"Overflow", "Overflow: \"1e99\" is out of range.", "Brisvane will close."});

    QCOMPARE(script.Seen().size(), std::size_t{4});
    const SeenDialog& prompt = script.Seen()[0];
    QCOMPARE(prompt.kind, QStringLiteral("input"));
    QCOMPARE(prompt.title, QStringLiteral("A title"));
    QCOMPARE(prompt.text, QStringLiteral("A question"));
    QCOMPARE(prompt.answer, QString());
    QCOMPARE(prompt.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
    // The prompt is made once and starts empty every time.
    QCOMPARE(script.Seen()[1].answer, QString());

    for (const SeenDialog& box : {script.Seen()[2], script.Seen()[3]}) {
        QCOMPARE(box.kind, QStringLiteral("message"));
        QCOMPARE(box.icon, static_cast<int>(QMessageBox::Critical));
        QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(box.plainText);
    }
    QCOMPARE(script.Seen()[2].title, QStringLiteral("Error"));
    QCOMPARE(script.Seen()[2].text, QStringLiteral("Invalid Epoch date entered."));
    QCOMPARE(script.Seen()[3].title, QStringLiteral("Overflow"));
    QCOMPARE(script.Seen()[3].text, QStringLiteral("Overflow: \"1e99\" is out of range."));
}

void QtViewTest::unhandledErrorBoxKeepsItsSize_data()
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

void QtViewTest::unhandledErrorBoxKeepsItsSize()
{
    QFETCH(QByteArray, commandLine);
    QFETCH(QString, shown);
    QtView view;
    DialogScript script({DialogScript::Ok(), DialogScript::Ok()});
    RunEventHandler(view, [] { ParseEpochStrict("12x34", "."); });
    RunEventHandler(view, [&] { ParseEpochStrict(commandLine.toStdString(), "."); });
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

QTEST_MAIN(QtViewTest)
#include "QtViewTest.moc"
