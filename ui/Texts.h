#pragma once

#include "Product.h"

// Every text the program shows or writes, for a translator or a reviewer to
// find in one place; but the captions of the window and its controls, which
// belong to its description (BrisvanefrmLayout.h), and the details of an
// error, which name what caused it where it is raised.
namespace Brisvane::Texts {

// The prompt of a conversion request.
inline constexpr char PromptTitle[] = "Epoch to Local Date";
inline constexpr char PromptMessage[] = "Enter Epoch date (Unix timestamp):";

// The box for a value below 1.
inline constexpr char InvalidEpochTitle[] = "Error";
inline constexpr char InvalidEpochMessage[] = "Invalid Epoch date entered.";

// The report of an error that no handler dealt with, titled by its kind.
inline constexpr char TypeMismatch[] = "Type mismatch";
inline constexpr char Overflow[] = "Overflow";
inline constexpr char UnexpectedError[] = "Unexpected error";
inline constexpr char ProgramCloses[] = BRISVANE_NAME " will close.";

// What every line on standard error begins with.
inline constexpr char StandardErrorPrefix[] = BRISVANE_COMMAND ": ";

}  // namespace Brisvane::Texts
