// Ids of the numeric edit and balloon tip tests' dialog.
#pragma once

#define IDD_CONTROLS_TEST 200
#define IDC_DIGITAL 1204
#define IDC_OTHER 1205
