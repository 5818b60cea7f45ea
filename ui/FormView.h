#pragma once

#include <string>

namespace Brisvane {

// The three text boxes the form writes.
enum class TextBox { EpochDate, LocalDate, Zone };

// What the user is told about an error that no handler dealt with.
struct UnhandledErrorReport {
    std::string Title;        // the kind of error: "Type mismatch", "Overflow"
    std::string Message;      // the kind and what caused it, as a sentence
    std::string Consequence;  // what happens next: the program closes
};

// The form's window, as each toolkit shows it. A passive view: it shows what
// it is told, runs what it was given for a click of "convert", and decides
// nothing. Texts are UTF-8. The dialogs are modal over the window.
class FormView {
public:
    virtual ~FormView() = default;

    // Replaces the whole text of a box, showing its beginning. Where the
    // text is wider than the box, pointing at the box shows it whole in a
    // tooltip; where it fits, there is none. Of the three, LocalDate
    // outgrows its box in many locales, and Zone where the offset is not a
    // whole quarter of an hour ("5.11666666666667" in a TZ of
    // "<+0507>-5:07"); EpochDate never does (its longest text,
    // "-2147483648", is plain ASCII in every locale and takes little more
    // than half the room at any DPI), yet follows the same rule.
    virtual void SetText(TextBox box, const std::string& text) = 0;
    // Makes the window visible.
    virtual void Show() = 0;
    // Asks for a text with OK and Cancel; the typed text, or an empty one
    // when the user cancels or closes the dialog.
    virtual std::string Prompt(const std::string& title, const std::string& message) = 0;
    // A message box with the error icon and a single OK button.
    virtual void ShowError(const std::string& title, const std::string& message) = 0;
    // A message box with the error icon for an error that ends the program.
    virtual void ReportUnhandledError(const UnhandledErrorReport& report) = 0;
    // Closes the window, which ends the program with `exitStatus`: at once
    // in the event loop, or as soon as the loop is entered.
    virtual void EndProgram(int exitStatus) = 0;
};

}  // namespace Brisvane
