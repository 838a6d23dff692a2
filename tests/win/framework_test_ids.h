// Ids of the framework test's dialog and strings.
#pragma once

#define IDD_FRAMEWORK_TEST 100
#define IDC_TEST_EDIT 1001
#define IDC_TEST_LABEL 1002
#define IDC_TEST_DRAWN 1003
#define IDC_TEST_BUTTON 1004
#define IDC_TEST_LIST 1005

#define IDS_TEST_BLOCK_START 50000
#define IDS_TEST_PROMPT 50001
#define IDS_TEST_BLOCK_END 50015
#define IDS_TEST_FORMAT 50103
#define IDS_TEST_ENGLISH_ONLY 50200
