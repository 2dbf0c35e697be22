#pragma once
// Dialog, control and string ids of the cooling wizard. The resource script
// (resources/cool.rc) includes this file as well as the C++, so a renumbered
// control changes in one place; agent scripts may name the ids too.
// Plain #define lines only: the resource compiler reads this file.

// Dialog templates: the pages in showing order, then the dialogs.
#define IDD_COOL_PAGE1                  13006
#define IDD_COOL_PAGE2                  13007
#define IDD_COOL_PAGE3                  13008
#define IDD_COOL_PAGE4                  13009
#define IDD_COOL_PAGE5                  13010
#define IDD_COOL_2D_PAGE1               13047
#define IDD_COOL_ADVANCED_3D            13004
#define IDD_COOL_ADVANCED_2D            13046
#define IDD_COOL_CIRCUITS               13247

// Strings.
#define IDS_COOL_CAPTION                13011
#define IDS_COOL_NEW_MOLD_MODEL         13035
#define IDS_COOL_CHANGES_NOT_SET        13050
#define IDS_COOL_NO_CIRCUITS            13051
#define IDS_COOL_CONFIGURE_CIRCUITS     13053
#define IDS_COOL_NO_MOLD_MODEL          13303

// The images of the file lists (node kinds of the project tree).
#define IDB_COOL_LIST_IMAGES            13120

// Analysis type page.
#define IDC_COOL_MANUAL                 2009
#define IDC_COOL_AUTOMATIC              2010
#define IDC_COOL_COOLING_TIME_TEXT      2055
#define IDC_COOL_COOLING_TIME           2054
#define IDC_COOL_MOLD_TEMPERATURE_TEXT  2314
#define IDC_COOL_MOLD_TEMPERATURE       2313
#define IDC_COOL_FROZEN_TEXT            2174
#define IDC_COOL_FROZEN                 2173

// Mold model and boundary-condition page.
#define IDC_COOL_MOLD_LIST              2311
#define IDC_COOL_MOLD_FILE              2308
#define IDC_COOL_BOUNDARY_LIST          2017
#define IDC_COOL_BOUNDARY_FILE          2019

// Process page.
#define IDC_COOL_CLAMP_OPEN_TEXT        2042
#define IDC_COOL_CLAMP_OPEN             2041
#define IDC_COOL_INJECTION_TIME_TEXT    2231
#define IDC_COOL_INJECTION_TIME         2224
#define IDC_COOL_MELT_TEMPERATURE_TEXT  2284
#define IDC_COOL_MELT_TEMPERATURE       2283
#define IDC_COOL_FREEZE_CHECK           2417
#define IDC_COOL_FREEZE_TEMPERATURE     2416
#define IDC_COOL_PACKING_TIME_TEXT      2594
#define IDC_COOL_PACKING_TIME           2593

// Cooling network page.
#define IDC_COOL_NETWORK_GROUP          2349
#define IDC_COOL_BY_CIRCUIT             2344
#define IDC_COOL_BY_PRESSURE_DROP       2346
#define IDC_COOL_PRESSURE_DROP          2595
#define IDC_COOL_BY_FLOW_RATE           2347
#define IDC_COOL_FLOW_RATE              2592
#define IDC_COOL_CIRCUIT_PARAMETERS     1327
#define IDC_COOL_DIMENSIONS_TEXT        2305
#define IDC_COOL_DIMENSIONS_FRAME       2209
#define IDC_COOL_DIMENSIONS_GRID        2304

// Description and submission page.
#define IDC_COOL_DESCRIPTION            2075
#define IDC_COOL_ADVANCED               2000
#define IDC_COOL_RUN_NOW                1310
#define IDC_COOL_BATCH_QUEUE            1311
#define IDC_COOL_SUBMIT_LATER           1312
#define IDC_COOL_PREPARE_NEXT           1319

// 2D boundary-condition page.
#define IDC_COOL2D_BOUNDARY_LIST        1309
#define IDC_COOL2D_MOLD_TEMPERATURE_TEXT 1307
#define IDC_COOL2D_MOLD_TEMPERATURE     1308
#define IDC_COOL2D_MELT_TEMPERATURE_TEXT 1306
#define IDC_COOL2D_MELT_TEMPERATURE     1305
#define IDC_COOL2D_CYCLE_TIME_TEXT      2286
#define IDC_COOL2D_CYCLE_TIME           2284

// 3D advanced options.
#define IDC_COOL_INFLUENCE_GROUP        2204
#define IDC_COOL_INFLUENCE_PARAMETER    2201
#define IDC_COOL_INFLUENCE_IDEAL        2202
#define IDC_COOL_INFLUENCE_AUTOMATIC    2203
#define IDC_COOL_PARAMETER              2205
#define IDC_COOL_ITERATION_LIMIT_TEXT   2238
#define IDC_COOL_ITERATION_LIMIT        2237
#define IDC_COOL_TOLERANCE_TEXT         2574
#define IDC_COOL_TOLERANCE              2573
#define IDC_COOL_REMOVE_FILES           2473

// 2D advanced options.
#define IDC_COOL2D_HEAT_CONTENT_TEXT    1305
#define IDC_COOL2D_HEAT_CONTENT         1306
#define IDC_COOL2D_CONDUCTIVITY         1304
#define IDC_COOL2D_ITERATION_ERROR_TEXT 1300
#define IDC_COOL2D_ITERATION_ERROR      1301
#define IDC_COOL2D_ITERATION_LIMIT_TEXT 1302
#define IDC_COOL2D_ITERATION_LIMIT      1303

// Circuit parameters dialog.
#define IDC_CIRCUIT_LIST                2250
#define IDC_CIRCUIT_SET                 1327
#define IDC_CIRCUIT_INLET_TEMPERATURE   2085
#define IDC_CIRCUIT_TEMPERATURE_UNIT    1031
#define IDC_CIRCUIT_COOLANT             2044
#define IDC_CIRCUIT_GLYCOL              2087
#define IDC_CIRCUIT_CONTROL             2045
#define IDC_CIRCUIT_VALUE               2086
