#pragma once
// Ids of the bindings demo dialog (BindingsDemo.rc includes this
// file, as the tests do). Plain #define lines: the resource compiler reads it.

#define IDD_BINDDEMO                31000

#define IDC_BINDDEMO_NAME_TEXT      31001
#define IDC_BINDDEMO_NAME           31002
#define IDC_BINDDEMO_COUNT_TEXT     31003
#define IDC_BINDDEMO_COUNT          31004
#define IDC_BINDDEMO_TEMP_TEXT      31005
#define IDC_BINDDEMO_TEMP           31006
#define IDC_BINDDEMO_COOLING        31007
#define IDC_BINDDEMO_CONTROL_TEXT   31008
#define IDC_BINDDEMO_CONTROL        31009
#define IDC_BINDDEMO_AUTOMATIC      31010
#define IDC_BINDDEMO_SPECIFIED      31011
#define IDC_BINDDEMO_LAYERS_TEXT    31012
#define IDC_BINDDEMO_LAYERS         31013
#define IDC_BINDDEMO_TIME_CHECK     31014
#define IDC_BINDDEMO_TIME           31015
#define IDC_BINDDEMO_NOTE_TEXT      31016
#define IDC_BINDDEMO_NOTE           31017
#define IDC_BINDDEMO_PROFILE_FRAME  31018
#define IDC_BINDDEMO_DIMS_FRAME     31019

#define IDS_BINDDEMO_TITLE          31000
