#include "QtView.h"

#include <QApplication>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QThread>

namespace Brisvane {
namespace {

// Qt lays out in pixels at 96 DPI and scales them itself.
constexpr int Dpi = 96;

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A font of the description, asked by its exact pixel size: a point size
// would hang on the screen's logical DPI.
QFont FontOf(const FontDescription& described)
{
    QFont font(QString::fromUtf8(described.Face));
    font.setPixelSize(PointsToPixels(described.Hundredths, Dpi));
    font.setWeight(static_cast<QFont::Weight>(described.Weight));  // Qt's weights are OpenType's
    return font;
}

// A text box that gives its whole text in a tooltip where the text is wider
// than the room the box gives it. Qt lays text out in device-independent
// pixels, and the box's font is given in pixels, so a screen of another
// resolution changes neither the text's width nor the room: only a new font
// or style does.
class TextBoxEdit final : public QLineEdit {
public:
    explicit TextBoxEdit(QWidget* parent) : QLineEdit(parent) {}

    void Show(const QString& text)
    {
        setText(text);
        // setText leaves the cursor at the end, and a line edit scrolls to
        // it: a text wider than its box would show its end.
        setCursorPosition(0);
        // The text written, which the tip keeps: what a user types over it
        // is never read.
        written_ = text;
        Refit();
    }

protected:
    void changeEvent(QEvent* event) override
    {
        QLineEdit::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            Refit();
    }

private:
    // QLineEdit keeps this much clear on either side of its text.
    static constexpr int LineMargin = 2;

    // As QLineEdit decides whether to scroll: the text's width in the box's
    // font, and a pixel for the cursor, against the style's contents
    // rectangle less the text margins and the line's own.
    bool Clipped() const
    {
        QStyleOptionFrame option;
        initStyleOption(&option);
        const QRect contents =
            style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
        return qRound(QFontMetricsF(font(), this).horizontalAdvance(written_)) + 1 > contents.width() - 2 * LineMargin;
    }

    void Refit()
    {
        // Plain text, so that a screen reader reads the tip as it stands;
        // where Qt would take it for markup, escaped, its blanks kept.
        QString tip;
        if (!written_.isEmpty() && Clipped())
            tip = Qt::mightBeRichText(written_) ? Qt::convertFromPlainText(written_, Qt::WhiteSpacePre) : written_;
        setToolTip(tip);
    }

    QString written_;
};

}  // namespace

QtView::QtView(std::function<void()> convert, QWidget* parent) : QWidget(parent), convert_(std::move(convert))
{
    setWindowTitle(QString::fromUtf8(BrisvanefrmWindow.Caption));
    // Compiled in: the same picture as the installed icon, without reading
    // an icon theme's index at start-up.
    QIcon icon(QStringLiteral(":/icons/brisvane-16.png"));
    icon.addFile(QStringLiteral(":/icons/brisvane-32.png"));
    setWindowIcon(icon);
    resize(TwipsToPixels(BrisvanefrmWindow.ClientWidth, Dpi), TwipsToPixels(BrisvanefrmWindow.ClientHeight, Dpi));

    // Made in tab order, which the focus then follows. Qt stacks a later
    // child above an earlier one, so each is then put at the bottom in that
    // order: each control lies above those after it, as on Windows, and a
    // box above the label that reaches into it.
    const auto order = InTabOrder();
    for (const Control control : order)
        controls_[static_cast<std::size_t>(control)] = Make(DescriptionOf(control));
    for (const Control control : order)
        controls_[static_cast<std::size_t>(control)]->lower();
}

QtView::~QtView() = default;

QWidget* QtView::Make(const ControlDescription& control)
{
    QWidget* widget = nullptr;
    switch (control.Kind) {
    case ControlKind::Label: widget = new QLabel(QString::fromUtf8(control.Caption), this); break;
    case ControlKind::TextBox: {
        auto* box = new TextBoxEdit(this);
        box->setReadOnly(control.ReadOnly);
        widget = box;
        break;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(QString::fromUtf8(control.Caption), this);
        // An ordinary button: Enter in a box does not press it.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this] { convert_(); });
        widget = button;
        break;
    }
    }
    widget->setObjectName(QString::fromUtf8(control.Name));
    const PixelRect rect = PixelsOf(control, Dpi);
    widget->setGeometry(rect.Left, rect.Top, rect.Width, rect.Height);
    if (control.Font != nullptr)
        widget->setFont(FontOf(*control.Font));
    if (control.AccessibleName != nullptr)
        widget->setAccessibleName(QString::fromUtf8(control.AccessibleName));
    return widget;
}

int QtView::Run()
{
    return endedWith_ ? *endedWith_ : QApplication::exec();
}

void QtView::SetText(TextBox box, const std::string& text)
{
    static_cast<TextBoxEdit*>(controls_[static_cast<std::size_t>(ControlOf(box))])->Show(ToQString(text));
}

void QtView::Show()
{
    show();
}

std::string QtView::Prompt(const std::string& title, const std::string& message)
{
    if (prompt_ == nullptr)
        prompt_ = new QInputDialog(this);
    prompt_->setWindowTitle(ToQString(title));
    prompt_->setLabelText(ToQString(message));
    prompt_->setTextValue(QString());
    return prompt_->exec() == QDialog::Accepted ? prompt_->textValue().toStdString() : std::string();
}

void QtView::ShowError(const std::string& title, const std::string& message)
{
    if (errorBox_ == nullptr) {
        errorBox_ = new QMessageBox(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok, this);
        errorBox_->setTextFormat(Qt::PlainText);
    }
    errorBox_->setWindowTitle(ToQString(title));
    errorBox_->setText(ToQString(message));
    errorBox_->exec();
}

void QtView::ReportUnhandledError(const UnhandledErrorReport& report)
{
    QMessageBox box(QMessageBox::Critical, ToQString(report.Title), ToQString(report.Message), QMessageBox::Ok, this);
    // The message quotes what the user typed: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(ToQString(report.Consequence));
    box.exec();
}

void QtView::EndProgram(int exitStatus)
{
    // Not by closing the window: the quit that follows the last window's
    // closing would end the loop with status 0. Before the loop runs, Run
    // sees the status; QApplication::exit then would make every later loop,
    // a dialog's too, end at once.
    endedWith_ = exitStatus;
    if (QThread::currentThread()->loopLevel() > 0)
        QApplication::exit(exitStatus);
}

}  // namespace Brisvane
