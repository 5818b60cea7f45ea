// Identifiers of the resources in Brisvane.rc, shared with the code.
#pragma once

#define BRISVANE_ICON 1
#define IDD_PROMPT 100
#define IDC_PROMPT_MESSAGE 101
#define IDC_PROMPT_ANSWER 102
