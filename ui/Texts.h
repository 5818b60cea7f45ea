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
// what a text names: a platform or a display in quotes, a variable, Qt's
// reason, or another of these texts. Each is listed once, as
// X(name, "text"), for the code to define and its test to go through.
#define BRISVANE_NO_WINDOW_TEXTS(X)                                                                                    \
    /* The whole line, where Qt tried one platform: */                                                                 \
    X(DisplayNotOpened, "cannot open the display %1")                                                                  \
    X(DisplayNotOpenedBecause, "cannot open the display: %1")                                                          \
    X(PlatformNotFound, "cannot find the Qt platform %1")                                                              \
    X(PlatformNotLoaded, "cannot load the Qt platform %1: %2")                                                         \
    X(PlatformNotStarted, "the Qt platform %1 could not start")                                                        \
    X(PlatformWithoutScreen, "the Qt platform %1 started but has no screen")                                           \
    X(PlatformForVulkanOnly, "the Qt platform %1 shows only Vulkan windows")                                           \
    /* where it tried several, each named by the words below, or none: */                                              \
    X(DisplaysTried, "cannot open the display: tried %1")                                                              \
    X(PlatformsTried, "cannot open a window: tried %1")                                                                \
    X(NoPlatformTried, "cannot open a window: Qt tried no platform")                                                   \
    /* A platform among several: its title, then what became of it: */                                                 \
    X(X11, "X11")                                                                                                      \
    X(Wayland, "Wayland")                                                                                              \
    X(OtherPlatform, "Qt platform %1")                                                                                 \
    X(TriedNotInstalled, "%1 (not installed)")                                                                         \
    X(TriedNotLoaded, "%1 (cannot load: %2)")                                                                          \
    X(TriedNotStarted, "%1 (could not start)")                                                                         \
    /* The display a platform tried: named by its variable (%1), which may */                                          \
    /* be unset, so that Wayland tries its socket (%2), or set but empty: */                                           \
    X(VariableNotSet, "%1 is not set")                                                                                 \
    X(VariableNotSetSo, "%1 is not set, so %2")                                                                        \
    X(VariableEmpty, "%1 is empty")                                                                                    \
    /* Glue, which only joins the pieces above, in an order a translation */                                           \
    /* may change: a platform after those before it, a sentence and the */                                             \
    /* platform it is about, a title and its display, a variable and its name: */                                      \
    X(ThenTried, "%1, then %2")                                                                                        \
    X(OnPlatform, "%1 (Qt platform %2)")                                                                               \
    X(TriedDisplay, "%1 (%2)")                                                                                         \
    X(NamedDisplay, "%1 %2")

#define BRISVANE_DEFINE_TEXT(name, text) inline constexpr char name[] = text;
BRISVANE_NO_WINDOW_TEXTS(BRISVANE_DEFINE_TEXT)
#undef BRISVANE_DEFINE_TEXT

}  // namespace Brisvane::Texts
