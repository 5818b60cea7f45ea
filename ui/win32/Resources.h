// Identifiers of the resources in Brisvane.rc and of the main window's
// controls, shared with the code and the tests.
#pragma once

#define BRISVANE_ICON 1
#define IDD_PROMPT 100
#define IDC_PROMPT_MESSAGE 101
#define IDC_PROMPT_ANSWER 102

// A control of the main window has the identifier IDC_FIRST_CONTROL plus its
// tab index (ControlId in Win32View.h).
#define IDC_FIRST_CONTROL 10
