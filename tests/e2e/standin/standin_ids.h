// Control ids of the stand-in dialog; the numbers are the real dialog's where a control matches.
#pragma once

#define IDD_STANDIN 1000
#define IDC_PORT_LABEL 1099
#define IDC_PORT 1101
#define IDC_BAUD 1102
#define IDC_CONNECT 1103
#define IDC_ENGINEERING 1104
#define IDC_START 1105
#define IDC_MOVING_MAX 1201
#define IDC_BYTES 1300
#define IDC_DISTANCE 1500
#define IDC_TABLE 1600
