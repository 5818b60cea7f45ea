// The Qt view: what it shows and how it behaves as a window. What the form
// decides is tested against a fake view (tests/ui/BrisvanefrmTest.cpp).

#include "BrisvanefrmLayout.h"
#include "DialogScript.h"
#include "EventDispatch.h"
#include "FixedRegionalFormat.h"
#include "FixedZoneSource.h"
#include "Fonts.h"
#include "ParseEpochStrict.h"
#include "Program.h"
#include "QtView.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

#include <stdexcept>

using namespace Brisvane;

Q_DECLARE_METATYPE(Brisvane::TextBox)

namespace {

// The view wired to a form, as the program wires them, over a fixed zone
// and fixed regional formats.
struct Fixture {
    explicit Fixture(std::string commandLine = "42") : program(zone, format, std::move(commandLine)) {}

    QLineEdit* Box(const char* name) const { return view.findChild<QLineEdit*>(name); }
    QString Text(const char* name) const { return Box(name)->text(); }
    QPushButton* Convert() const { return view.findChild<QPushButton*>("Command1"); }

    FixedZoneSource zone;
    FixedRegionalFormat format;
    Program<QtView> program;
    QtView& view = program.View;
    Brisvanefrm& form = program.Form;
};

}  // namespace

class QtViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutIsTheStoredOne();
    void tabOrder();
    void clickRunsARequestAndTypedTextIsIgnored();
    void enterInABoxDoesNotConvert();
    void longTextShowsItsBeginning();
    void textWiderThanItsBoxIsWholeInATooltip_data();
    void textWiderThanItsBoxIsWholeInATooltip();
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
    // The value boxes' face, as the program finds it.
    InstallFontSubstitutes();
}

void QtViewTest::layoutIsTheStoredOne()
{
    // The stored description at 96 DPI, Qt's own unit.
    Fixture f;
    QCOMPARE(f.view.windowTitle(), QString::fromUtf8(BrisvanefrmWindow.Caption));
    QCOMPARE(f.view.size(), QSize(TwipsToPixels(BrisvanefrmWindow.ClientWidth, 96),
                                  TwipsToPixels(BrisvanefrmWindow.ClientHeight, 96)));
    QVERIFY(f.view.isWindow());
    // Compiled in, so that every window has it from the start.
    QVERIFY(!f.view.windowIcon().pixmap(16, 16).isNull());
    QVERIFY(!f.view.windowIcon().pixmap(32, 32).isNull());

    const QObjectList stacking = f.view.children();  // bottom to top
    for (const ControlDescription& control : BrisvanefrmControls) {
        auto* widget = f.view.findChild<QWidget*>(control.Name);
        QVERIFY2(widget, control.Name);
        const PixelRect rect = PixelsOf(control, 96);
        QCOMPARE(widget->geometry(), QRect(rect.Left, rect.Top, rect.Width, rect.Height));
        QCOMPARE(widget->accessibleName(), QString::fromUtf8(control.AccessibleName ? control.AccessibleName : ""));
        switch (control.Kind) {
        case ControlKind::Label: QCOMPARE(qobject_cast<QLabel*>(widget)->text(), control.Caption); break;
        case ControlKind::TextBox:
            QCOMPARE(qobject_cast<QLineEdit*>(widget)->text(), QString());
            QCOMPARE(qobject_cast<QLineEdit*>(widget)->isReadOnly(), control.ReadOnly);
            break;
        case ControlKind::Button:
            QCOMPARE(qobject_cast<QPushButton*>(widget)->text(), control.Caption);
            // An ordinary button: Enter in a box does not press it.
            QVERIFY(!qobject_cast<QPushButton*>(widget)->isDefault());
            QVERIFY(!qobject_cast<QPushButton*>(widget)->autoDefault());
            break;
        }
        widget->ensurePolished();
        if (control.Font != nullptr) {
            QCOMPARE(widget->font().family(), QString::fromUtf8(control.Font->Face));
            QCOMPARE(widget->font().pixelSize(), PointsToPixels(control.Font->Hundredths, 96));
            QCOMPARE(widget->font().weight(), control.Font->Weight);
        } else {
            QCOMPARE(widget->font(), f.view.font());
        }
        // Where two overlap (a label reaching into its box), the one earlier
        // in tab order lies above.
        for (const ControlDescription& other : BrisvanefrmControls) {
            const PixelRect o = PixelsOf(other, 96);
            if (&other == &control || !QRect(rect.Left, rect.Top, rect.Width, rect.Height)
                                           .intersects(QRect(o.Left, o.Top, o.Width, o.Height)))
                continue;
            QCOMPARE(stacking.indexOf(widget) > stacking.indexOf(f.view.findChild<QWidget*>(other.Name)),
                     control.TabIndex < other.TabIndex);
        }
    }
}

void QtViewTest::tabOrder()
{
    Fixture f;
    f.form.Form_Load();
    f.view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.view));

    // The controls that take the focus, in the order worked out by hand
    // from the tab indexes (the labels take none): the first has it, Tab
    // goes round them and Shift+Tab back.
    QList<QWidget*> stops;
    for (const char* name : {"EpochDate", "LocalDate", "Command1", "Zone"})
        stops.append(f.view.findChild<QWidget*>(name));
    QCOMPARE(QApplication::focusWidget(), stops.front());
    for (qsizetype i = 1; i <= stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), stops[i % stops.size()]);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), stops.back());
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
    QtView view([] {});
    for (const TextBox box : {TextBox::EpochDate, TextBox::LocalDate, TextBox::Zone})
        view.SetText(box, "Wednesday, 19 January 2038, 03:14:07 in the morning");
    for (const char* name : {"EpochDate", "LocalDate", "Zone"})
        QCOMPARE(view.findChild<QLineEdit*>(name)->cursorPosition(), 0);
}

void QtViewTest::textWiderThanItsBoxIsWholeInATooltip_data()
{
    QTest::addColumn<TextBox>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("tipped");
    // 2147483647 at UTC, as each locale writes it.
    QTest::newRow("en_US") << TextBox::LocalDate << "01/19/2038 03:14:07 AM" << true;
    QTest::newRow("de_DE") << TextBox::LocalDate << "19.01.2038 03:14:07" << false;
    // Shown as it stands, not read as markup.
    QTest::newRow("markup") << TextBox::LocalDate << "<b>19.01.2038</b> &amp;  03:14:07 Uhr" << true;
    QTest::newRow("zone of odd minutes") << TextBox::Zone << "5,11666666666667" << true;
    QTest::newRow("zone of a quarter hour") << TextBox::Zone << QStringLiteral("-12\u066b75") << false;
    QTest::newRow("longest epoch value") << TextBox::EpochDate << "-2147483648" << false;
}

void QtViewTest::textWiderThanItsBoxIsWholeInATooltip()
{
    QFETCH(TextBox, box);
    QFETCH(QString, text);
    QFETCH(bool, tipped);
    QtView view([] {});
    auto* edit = view.findChild<QLineEdit*>(DescriptionOf(ControlOf(box)).Name);
    // Which texts fit is a matter of the face: the value boxes' stands in
    // for Windows' by Liberation Sans, which a machine may lack.
    if (DescriptionOf(ControlOf(box)).Font != nullptr)
        QVERIFY2(QFontInfo(edit->font()).family() == QLatin1String("Liberation Sans"),
                 "no Liberation Sans (fonts-liberation2)");
    // The box's tip as Qt shows it: as markup where Qt takes it for markup
    // (QLabel's rule), else as plain text.
    const auto shown = [edit] {
        QTextDocument document;
        document.setHtml(edit->toolTip());
        return Qt::mightBeRichText(edit->toolTip()) ? document.toPlainText() : edit->toolTip();
    };
    view.SetText(box, text.toStdString());
    QCOMPARE(shown(), tipped ? text : QString());
    // Measured again in a font in which every text fits, and in its own.
    const QFont font = edit->font();
    edit->setFont(QFont(font.family(), 1));
    QCOMPARE(shown(), QString());
    edit->setFont(font);
    QCOMPARE(shown(), tipped ? text : QString());
    // A later text that fits takes the tip away.
    view.SetText(box, "1");
    QCOMPARE(shown(), QString());
}

void QtViewTest::dialogsShowWhatTheyAreGiven()
{
    QtView view([] {});
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
    QtView view([] {});
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
