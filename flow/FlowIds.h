#pragma once
// Dialog, control and string ids of the flow analysis wizard, its dialogs and
// the machine parameters dialog. The resource script (resources/flow.rc)
// includes this file as well as the C++; agent scripts may name the ids too.
// Plain #define lines only: the resource compiler reads this file.

// Pages, in showing order.
#define IDD_FLOW_PAGE1                  13022
#define IDD_FLOW_PAGE2                  13023
#define IDD_FLOW_PAGE3                  13024
#define IDD_FLOW_PAGE_TSET              13250
#define IDD_FLOW_PAGE4                  13026
#define IDD_FLOW_PAGE5                  13027

// Dialogs the pages open.
#define IDD_FLOW_PRESSURE_PROFILE       13028
#define IDD_FLOW_VELOCITY_PROFILE       13029
#define IDD_FLOW_GAS_SETTINGS           13001
#define IDD_FLOW_QUALITY_CRITERIA       13011
#define IDD_FLOW_TRANSFER_POT           13005
#define IDD_FLOW_MACHINE_PARAMS         13251

// Strings.
#define IDS_FLOW_COMPLETE_PACKING       13006
#define IDS_FLOW_COMPLETE_CURING        13007
#define IDS_FLOW_ADVANCED_CAPTION       13039
#define IDS_FLOW_CAPTION                13040
#define IDS_FLOW_MACHINE_READ_ONLY      13042
#define IDS_FLOW_MACHINE_OVERWRITE      13043
#define IDS_FLOW_MACHINE_NO_DB_PATH     13044
#define IDS_FLOW_MACHINE_CLOSE_UNSAVED  13052
#define IDS_FLOW_SELECT_MACHINE         13054
#define IDS_FLOW_NO_GAS_CYLINDERS       13055
#define IDS_FLOW_NO_INJECTIONS          13056
#define IDS_FLOW_UPPER_LIMIT            13317
#define IDS_FLOW_NO_INITIAL_INJECTIONS  13318
#define IDS_FLOW_MACHINE_DB_TITLE       13319

// The bitmap of the boundary-condition list's images.
#define IDB_FLOW_BC_IMAGES              13120

// Page 1: analysis type, restart point, machine.
#define IDC_FLOW_RESTART_TEXT           2513
#define IDC_FLOW_RESTART_LIST           2512
#define IDC_FLOW_AIM_TEXT               2234
#define IDC_FLOW_FULL_FLOW              2002
#define IDC_FLOW_FILL_AND_PACK          2003
#define IDC_FLOW_CURING                 2009
#define IDC_FLOW_FILLING                2004
#define IDC_FLOW_RUNNER_BALANCE         2005
#define IDC_FLOW_PACKING_STANDALONE     2006
#define IDC_FLOW_MOLD_WINDOW            2007
#define IDC_FLOW_GATE_LOCATION          2008
#define IDC_FLOW_OPTIMUM_FILL           2010
#define IDC_FLOW_OPTIMUM_PACK           2011
#define IDC_FLOW_MACHINE_TEXT           2514
#define IDC_FLOW_MACHINE_LIST           2515
#define IDC_FLOW_MACHINE_BUTTON         13046

// Page 2: boundary conditions and temperatures.
#define IDC_FLOW_BC_TEXT                2016
#define IDC_FLOW_BC_LIST                2017
#define IDC_FLOW_BC_FILE_TEXT           2116
#define IDC_FLOW_BC_FILE                2019
#define IDC_FLOW_MOLD_TEMP_TEXT         2314
#define IDC_FLOW_MOLD_TEMP              2313
#define IDC_FLOW_MELT_TEMP_TEXT         2285
#define IDC_FLOW_MELT_TEMP              2283
#define IDC_FLOW_RUN_PRESSURE_TEXT      2551
#define IDC_FLOW_RUN_PRESSURE           2550
#define IDC_FLOW_MOLD_LOWER_TEXT        2315
#define IDC_FLOW_MOLD_LOWER             2316
#define IDC_FLOW_MOLD_UPPER_TEXT        2317
#define IDC_FLOW_MOLD_UPPER             2318
#define IDC_FLOW_MELT_LOWER_TEXT        2319
#define IDC_FLOW_MELT_LOWER             2320
#define IDC_FLOW_MELT_UPPER_TEXT        2321
#define IDC_FLOW_MELT_UPPER             2322

// Page 3: process settings.
#define IDC_FLOW_INJECTION              2221
#define IDC_FLOW_INJECTION_RATE         2222
#define IDC_FLOW_INJECTION_RATE_TEXT    2223
#define IDC_FLOW_INJECTION_TIME         2224
#define IDC_FLOW_INJECTION_TIME_TEXT    2231
#define IDC_FLOW_SWITCH_OVER            2143
#define IDC_FLOW_SWITCH_VOLUME          2422
#define IDC_FLOW_SWITCH_VOLUME_TEXT     2423
#define IDC_FLOW_SWITCH_PRESSURE        2424
#define IDC_FLOW_SWITCH_PRESSURE_TEXT   2425
#define IDC_FLOW_SWITCH_TIME            2426
#define IDC_FLOW_SWITCH_TIME_TEXT       2427
#define IDC_FLOW_PRESSURE_CONTROL       2144
#define IDC_FLOW_PRESSURE_FACTOR        2029
#define IDC_FLOW_PRESSURE_FACTOR_TEXT   2030
#define IDC_FLOW_PRESSURE_SPECIFIED     2031
#define IDC_FLOW_PRESSURE_SPECIFIED_TEXT 2032
#define IDC_FLOW_VELOCITY_PROFILE_BUTTON 2626
#define IDC_FLOW_PRESSURE_PROFILE_BUTTON 2436
#define IDC_FLOW_GAS_SETTINGS_BUTTON    13008
#define IDC_FLOW_QUALITY_BUTTON         13009

// Velocity profile dialog.
#define IDC_FLOW_PROFILE_KIND           2119
#define IDC_FLOW_PROFILE_FLOW_VOL       2628
#define IDC_FLOW_PROFILE_TIME_RAM       2629
#define IDC_FLOW_PROFILE_TIME_SPLINE    2630
#define IDC_FLOW_PROFILE_RAM_VELOCITY   2631
#define IDC_FLOW_NOMINAL_FLOW_RATE_RADIO 2120
#define IDC_FLOW_NOMINAL_TIME_RADIO     2121
#define IDC_FLOW_NOMINAL_RESCALE_RADIO  2122
#define IDC_FLOW_NOMINAL_FLOW_RATE      2123
#define IDC_FLOW_NOMINAL_TIME           2126
#define IDC_FLOW_NOMINAL_RESCALE        2125
#define IDC_FLOW_RAM_AUTOMATIC          2456
#define IDC_FLOW_RAM_SPECIFIED          2457
#define IDC_FLOW_RAM_DIAMETER           2459
#define IDC_FLOW_RAM_DIAMETER_TEXT      2460
#define IDC_FLOW_RAM_STROKE             2461
#define IDC_FLOW_RAM_STROKE_TEXT        2462

// Pressure profile dialog.
#define IDC_FLOW_PPROFILE_PRESSURE_RADIO 2391
#define IDC_FLOW_PPROFILE_FACTOR_RADIO  2392
#define IDC_FLOW_PPROFILE_PRESSURE      2397
#define IDC_FLOW_PPROFILE_FACTOR        2395

// Gas settings dialog.
#define IDC_FLOW_GAS_CONSTANT_VOLUME    13003
#define IDC_FLOW_GAS_CONSTANT_PRESSURE  13004
#define IDC_FLOW_GAS_SHUT_OFF           2225
#define IDC_FLOW_GAS_SHUT_OFF_TIME      2226
#define IDC_FLOW_GAS_SHUT_OFF_TIME_TEXT 2232
#define IDC_FLOW_GAS_SHUT_OFF_VOLUME    2228
#define IDC_FLOW_GAS_SHUT_OFF_VOLUME_TEXT 2227
#define IDC_FLOW_GAS_COOLING_TIME       1043
#define IDC_FLOW_GAS_COOLING_TIME_TEXT  1042

// Quality criteria dialog.
#define IDC_FLOW_QUALITY_WARPAGE        13048
#define IDC_FLOW_QUALITY_WARPAGE_TEXT   13047
#define IDC_FLOW_QUALITY_TOLERANCE      13050
#define IDC_FLOW_QUALITY_TOLERANCE_TEXT 13049
#define IDC_FLOW_QUALITY_SINK           13052
#define IDC_FLOW_QUALITY_SINK_TEXT      13051

// Curing page and its transfer pot material dialog.
#define IDC_FLOW_TSET_CURING_TIME       13014
#define IDC_FLOW_TSET_CURING_TIME_TEXT  13013
#define IDC_FLOW_TSET_TRANSFER_POT      13015
#define IDC_FLOW_TSET_POT_DIAMETER      13017
#define IDC_FLOW_TSET_POT_DIAMETER_TEXT 13016
#define IDC_FLOW_TSET_HEATING_TEMP      13025
#define IDC_FLOW_TSET_HEATING_TEMP_CHECK 13024
#define IDC_FLOW_TSET_DWELL_TIME        13023
#define IDC_FLOW_TSET_DWELL_TIME_TEXT   13022
#define IDC_FLOW_TSET_POT_LENGTH        13021
#define IDC_FLOW_TSET_POT_LENGTH_CHECK  13020
#define IDC_FLOW_TSET_EDGE_DISTANCE     13018
#define IDC_FLOW_TSET_EDGE_DISTANCE_CHECK 13019
#define IDC_FLOW_POT_METAL_CONDUCTIVITY 13028
#define IDC_FLOW_POT_METAL_CONDUCTIVITY_TEXT 13027
#define IDC_FLOW_POT_METAL_DENSITY      13030
#define IDC_FLOW_POT_METAL_DENSITY_TEXT 13029
#define IDC_FLOW_POT_METAL_HEAT         2000
#define IDC_FLOW_POT_METAL_HEAT_TEXT    13031
#define IDC_FLOW_POT_PLASTIC_CONDUCTIVITY 2303
#define IDC_FLOW_POT_PLASTIC_CONDUCTIVITY_TEXT 13032
#define IDC_FLOW_POT_PLASTIC_DENSITY    2305
#define IDC_FLOW_POT_PLASTIC_DENSITY_TEXT 13033
#define IDC_FLOW_POT_PLASTIC_HEAT       2309
#define IDC_FLOW_POT_PLASTIC_HEAT_TEXT  13034

// Page 4: valve-gate timing.
#define IDC_FLOW_VG_TEXT                13009
#define IDC_FLOW_VG_GAS_TEXT            13008
#define IDC_FLOW_VG_FRAME               2209

// Valve-gate timing grid, the curing page's dialog button and their strings.
#define IDC_FLOW_VG_GRID                15000
#define IDC_FLOW_TSET_MATERIAL_BUTTON   13026
#define IDS_FLOW_VG_GROUP               13048
#define IDS_FLOW_VG_INITIAL_STATE       13149
#define IDS_FLOW_VG_STATES              13256

// Page 5: description and job submission.
#define IDC_FLOW_DESCRIPTION            2075
#define IDC_FLOW_ADVANCED_BUTTON        2000
#define IDC_FLOW_RUN_NOW                1301
#define IDC_FLOW_BATCH_QUEUE            1302
#define IDC_FLOW_SUBMIT_LATER           1303
#define IDC_FLOW_PREPARE_NEXT           1304

// Machine parameters dialog.
#define IDC_MACH_MANUFACTURER           13040
#define IDC_MACH_MANUFACTURER_TEXT      13039
#define IDC_MACH_MODEL_CODE             13041
#define IDC_MACH_MODEL_CODE_TEXT        13042
#define IDC_MACH_CLAMP_FORCE            13065
#define IDC_MACH_CLAMP_FORCE_TEXT       13066
#define IDC_MACH_CONTROLLER_CODE        13067
#define IDC_MACH_CONTROLLER_CODE_TEXT   13068
#define IDC_MACH_PRESSURE_STEPS         13071
#define IDC_MACH_PRESSURE_STEPS_TEXT    13072
#define IDC_MACH_VELOCITY_STEPS         13069
#define IDC_MACH_VELOCITY_STEPS_TEXT    13070
#define IDC_MACH_PRESSURE_TIME          13078
#define IDC_MACH_PRESSURE_CONSTANT      13076
#define IDC_MACH_PRESSURE_LINEAR        13077
#define IDC_MACH_RAM_VELOCITY           13074
#define IDC_MACH_ZONE_PRESSURE          13079
#define IDC_MACH_VELOCITY_CONSTANT      13045
#define IDC_MACH_VELOCITY_LINEAR        13073
#define IDC_MACH_ZONE_VELOCITY          13075
#define IDC_MACH_MAX_PRESSURE           13043
#define IDC_MACH_MAX_PRESSURE_TEXT      13044
#define IDC_MACH_MAX_VELOCITY           13057
#define IDC_MACH_MAX_VELOCITY_TEXT      13058
#define IDC_MACH_RESPONSE_TIME          13050
#define IDC_MACH_RESPONSE_TIME_TEXT     13049
#define IDC_MACH_SCREW_DIAMETER         13061
#define IDC_MACH_SCREW_DIAMETER_TEXT    13062
#define IDC_MACH_INTENSIFICATION        13047
#define IDC_MACH_INTENSIFICATION_TEXT   13048
#define IDC_MACH_SCREW_STROKE           13063
#define IDC_MACH_SCREW_STROKE_TEXT      13064
#define IDC_MACH_EDIT                   57671
#define IDC_MACH_SAVE                   1
#define IDC_MACH_CLOSE                  2
#define IDC_MACH_HELP                   9

// Process settings page and its dialogs: groups, the grid frame and grids,
// and their strings.
#define IDC_FLOW_GRID_FRAME             2209
#define IDC_FLOW_PPROFILE_GROUP         2396
#define IDC_FLOW_NOMINAL_GROUP          2124
#define IDC_FLOW_RAM_GROUP              2458
#define IDC_FLOW_GAS_GRID               1039
#define IDS_FLOW_SETUP_PRESSURE_PROFILE 13032
#define IDS_FLOW_SETUP_VELOCITY_PROFILE 13033
#define IDS_FLOW_SETUP_GAS              13041
#define IDS_FLOW_PRESSURE               13125
#define IDS_FLOW_PRESSURE_FACTOR        13126
#define IDS_FLOW_DURATION               13016
#define IDS_FLOW_GAS_DELAY_TIME         13308
#define IDS_FLOW_GAS_VOLUME             13309
#define IDS_FLOW_GAS_COMPRESSION_RATIO  13310
#define IDS_FLOW_GAS_PIPE_VOLUME        13311
#define IDS_FLOW_GAS_INITIAL_PRESSURE   13312
#define IDS_FLOW_GAS_PISTON_FORWARD_TIME 13313
#define IDS_FLOW_GAS_RELEASE_TIME       13314
#define IDS_FLOW_GAS_PRESSURE_PROFILE   13315
#define IDS_FLOW_GAS_CYLINDER           13316
