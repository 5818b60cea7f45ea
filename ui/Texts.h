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

// Where the Linux program opens no window: what failed, on standard error
// before what Qt said of it (ui/qt/FailureLine.cpp). %1 and %2 stand for
// what the line names: a platform or a display in quotes, or Qt's reason.
// One platform tried:
inline constexpr char DisplayNotOpened[] = "cannot open the display %1";
inline constexpr char DisplayNotOpenedBecause[] = "cannot open the display: %1";
inline constexpr char OnPlatform[] = "%1 (Qt platform %2)";
inline constexpr char PlatformNotFound[] = "cannot find the Qt platform %1";
inline constexpr char PlatformNotLoaded[] = "cannot load the Qt platform %1: %2";
inline constexpr char PlatformNotStarted[] = "the Qt platform %1 could not start";
inline constexpr char PlatformWithoutScreen[] = "the Qt platform %1 started but has no screen";
inline constexpr char PlatformForVulkanOnly[] = "the Qt platform %1 shows only Vulkan windows";
// Several, in the order Qt tried them, each in a few words:
inline constexpr char DisplaysTried[] = "cannot open the display: tried %1";
inline constexpr char PlatformsTried[] = "cannot open a window: tried %1";
inline constexpr char ThenTried[] = "%1, then %2";
inline constexpr char X11[] = "X11";
inline constexpr char Wayland[] = "Wayland";
inline constexpr char OtherPlatform[] = "Qt platform %1";
inline constexpr char TriedDisplay[] = "%1 (%2)";
inline constexpr char TriedNotInstalled[] = "%1 (not installed)";
inline constexpr char TriedNotLoaded[] = "%1 (cannot load: %2)";
inline constexpr char TriedNotStarted[] = "%1 (could not start)";
// The display a platform tried, where its variable is unset (%1), and the
// socket Wayland then tries (%2).
inline constexpr char VariableNotSet[] = "%1 is not set";
inline constexpr char VariableNotSetSo[] = "%1 is not set, so %2";

}  // namespace Brisvane::Texts
