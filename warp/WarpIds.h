#pragma once
// Dialog, control and string ids of the warpage and stress wizard, its
// advanced options sheet and its parts dialog. The resource script
// (resources/warp.rc) includes this file as well as the C++; agent scripts
// may name the ids too. Plain #define lines only: the resource compiler reads
// this file.

// The wizard's pages, in the order they are shown.
#define IDD_WARP_ANALYSIS_TYPE          13062
#define IDD_WARP_BOUNDARY               13063
#define IDD_WARP_VARIATES               13064
#define IDD_WARP_LOAD_INCREMENT         13065
#define IDD_WARP_MANUAL_STEPS           13066
#define IDD_WARP_LOAD_STEPS             13067
#define IDD_WARP_DESCRIPTION            13068

// The advanced options pages and the parts dialog.
#define IDD_WARP_ADV_GENERAL            13069
#define IDD_WARP_ADV_LOAD_FACTOR        13070
#define IDD_WARP_ADV_NON_LINEAR         13071
#define IDD_WARP_ADV_NON_CONVERGENCE    13072
#define IDD_WARP_ADV_STRUCTURAL         13073
#define IDD_WARP_PARTS                  13255

// Strings.
#define IDS_WARP_AUTO_CONSTRAINTS       13150
#define IDS_WARP_ISOLATE_CAUSE          13151
#define IDS_WARP_RESTART_STEP_NEEDED    13152
#define IDS_WARP_CAPTION                13257
#define IDS_WARP_ADV_CAPTION            13258
#define IDS_WARP_STRESS_REFUSED         13259
#define IDS_WARP_TURN_ON_STRESS         13260
#define IDS_WARP_WARPAGE_REFUSED        13261
#define IDS_WARP_NO_RESIDUAL_DATA       13262
#define IDS_WARP_STRESS_ADV_CAPTION     13263
#define IDS_WARP_INCREMENTS             13300
#define IDS_WARP_STRESS_CAPTION         13304
#define IDS_WARP_IMPORT_DSS             13305
#define IDS_WARP_COPY_FAILED            13306

// Analysis type.
#define IDC_WARP_INSTRUCTION            2234
#define IDC_WARP_AIM_GROUP              2007
#define IDC_WARP_BUCKLING               2002
#define IDC_WARP_SMALL_DEFLECTION       2003
#define IDC_WARP_LARGE_DEFLECTION       2004
#define IDC_WARP_ISOLATE_SMALL          2005
#define IDC_WARP_ISOLATE_BUCKLING       2006
#define IDC_WARP_MODAL_FREQUENCY        2008
#define IDC_WARP_RESTART_STEP_TEXT      2515
#define IDC_WARP_RESTART_STEP           2514
#define IDC_WARP_STRIP                  2018

// Boundary conditions.
#define IDC_WARP_BC_TEXT                2016
#define IDC_WARP_BC_LIST                2017
#define IDC_WARP_BC_FILE_TEXT           2116
#define IDC_WARP_BC_FILE                2019

// Variates.
#define IDC_WARP_VARIATE_GROUP          2625
#define IDC_WARP_ALL_VARIATES           2621
#define IDC_WARP_DIFF_COOLING           2622
#define IDC_WARP_DIFF_SHRINKAGE         2623
#define IDC_WARP_DIFF_ORIENTATION       2624
#define IDC_WARP_SENSITIVITY_TEXT       2567
#define IDC_WARP_SENSITIVITY_COOLING    2564
#define IDC_WARP_SENSITIVITY_SHRINKAGE  2566
#define IDC_WARP_SENSITIVITY_ORIENTATION 2565
#define IDC_WARP_EXCLUDE_CORNERS        2109

// Load increment method.
#define IDC_WARP_METHOD_GROUP           2255
#define IDC_WARP_LOAD_CONTROL           2251
#define IDC_WARP_ARC_LENGTH             2252
#define IDC_WARP_MANUAL_DISPLACEMENT    2253
#define IDC_WARP_AUTO_DISPLACEMENT      2254
#define IDC_WARP_MAX_STEPS_TEXT         2280
#define IDC_WARP_MAX_STEPS              2279
#define IDC_WARP_MAX_LOAD_FACTOR_TEXT   2276
#define IDC_WARP_MAX_LOAD_FACTOR        2275
#define IDC_WARP_STEP_FACTOR_TEXT       2282
#define IDC_WARP_STEP_FACTOR            2281
#define IDC_WARP_DISP_INCREMENT_TEXT    2168
#define IDC_WARP_DISP_INCREMENT         2167
#define IDC_WARP_LOAD_INCREMENT_TEXT    2170
#define IDC_WARP_LOAD_INCREMENT         2169

// Manual displacement steps and load control steps.
#define IDC_WARP_MANUAL_STEPS_TEXT      2257
#define IDC_WARP_LOAD_STEPS_TEXT        2256
#define IDC_WARP_GRID_FRAME             2209
#define IDC_WARP_INCREMENT_GRID         2065
#define IDC_WARP_CONTROL_NODE_TEXT      2077
#define IDC_WARP_CONTROL_NODE           2076
#define IDC_WARP_CONTROL_DOF_TEXT       2176
#define IDC_WARP_CONTROL_DOF            2175

// Description and job submission.
#define IDC_WARP_DESCRIPTION            2075
#define IDC_WARP_ADVANCED               2000
#define IDC_WARP_RUN_NOW                1314
#define IDC_WARP_BATCH_QUEUE            1315
#define IDC_WARP_SUBMIT_LATER           1316
#define IDC_WARP_PREPARE_NEXT           1320

// Advanced: General.
#define IDC_WARP_MODEL_GROUP            2260
#define IDC_WARP_ORTHOTROPIC_SINGLE     2258
#define IDC_WARP_ORTHOTROPIC_MULTI      2259
#define IDC_WARP_ISOTROPIC              2261
#define IDC_WARP_ELEMENT_GROUP          2099
#define IDC_WARP_LMT3                   2095
#define IDC_WARP_CST3                   2096
#define IDC_WARP_LBT3                   2097
#define IDC_WARP_OUTPUT_DISPLACEMENT    2375
#define IDC_WARP_OUTPUT_STRESS          2380
#define IDC_WARP_OUTPUT_STRAIN          2379
#define IDC_WARP_SOURCE_GROUP           2100
#define IDC_WARP_MATERIAL_DATA          2098
#define IDC_WARP_STRESS_STRAIN_DATA     2103
#define IDC_WARP_EXCLUDE_COLD_RUNNERS   2472
#define IDC_WARP_KEEP_RESTARTS          2242
#define IDC_WARP_CORNER_ANGLE_TEXT      2057
#define IDC_WARP_CORNER_ANGLE           2056
#define IDC_WARP_PARTS_BUTTON           13064

// Advanced: Structural.
#define IDC_WARP_FACET_ANGLE_TEXT       2266
#define IDC_WARP_FACET_ANGLE            2265
#define IDC_WARP_PRINTOUT_STEPS_TEXT    2245
#define IDC_WARP_PRINTOUT_STEPS         2244
#define IDC_WARP_MINIMISE_BLOCKS        2292
#define IDC_WARP_BANDWIDTH              2014
#define IDC_WARP_GROUP_SIZE_TEXT        2131
#define IDC_WARP_GROUP_SIZE             2130
#define IDC_WARP_IMPERFECTION_GROUP     13066
#define IDC_WARP_MODE_SHAPE1_TEXT       2267
#define IDC_WARP_MODE_SHAPE1            2268
#define IDC_WARP_MODE_SHAPE2_TEXT       2269
#define IDC_WARP_MODE_SHAPE2            2270
#define IDC_WARP_MODE_SHAPE3_TEXT       2271
#define IDC_WARP_MODE_SHAPE3            2272

// Advanced: Non-Linear Step.
#define IDC_WARP_STRATEGY_GROUP         2220
#define IDC_WARP_NEWTON_RAPHSON_2       2214
#define IDC_WARP_NEWTON_RAPHSON_1       2215
#define IDC_WARP_INITIAL_STIFFNESS      2216
#define IDC_WARP_FULL_NEWTON_RAPHSON    2217
#define IDC_WARP_FULL_NR_STEP_REDUCT    2218
#define IDC_WARP_SIMPLE_LOAD_STEP       2219
#define IDC_WARP_MAX_ITERATIONS_TEXT    2278
#define IDC_WARP_MAX_ITERATIONS         2277
#define IDC_WARP_MIN_ITERATIONS_TEXT    2294
#define IDC_WARP_MIN_ITERATIONS         2293
#define IDC_WARP_NR_TOLERANCE_TEXT      2352
#define IDC_WARP_NR_TOLERANCE           2351

// Advanced: Load Factor.
#define IDC_WARP_EIGEN_METHOD_GROUP     2094
#define IDC_WARP_LOWEST_POSITIVE        2092
#define IDC_WARP_LOWEST_MAGNITUDE       2093
#define IDC_WARP_MODES_TEXT             2363
#define IDC_WARP_MODES                  2362
#define IDC_WARP_FACTORS_PER_PASS_TEXT  2365
#define IDC_WARP_FACTORS_PER_PASS       2364
#define IDC_WARP_SUBSPACE_VECTORS_CHECK 2369
#define IDC_WARP_SUBSPACE_VECTORS       2368
#define IDC_WARP_SUBSPACE_ITER_TEXT     2274
#define IDC_WARP_SUBSPACE_ITER          2273
#define IDC_WARP_EIGEN_TOLERANCE_TEXT   2022
#define IDC_WARP_EIGEN_TOLERANCE        2021
#define IDC_WARP_STURM_CHECK            2025
#define IDC_WARP_SMALLEST_FACTOR_TEXT   2024
#define IDC_WARP_SMALLEST_FACTOR        2023

// Advanced: Non-Convergence.
#define IDC_WARP_NON_POSITIVE_GROUP     2360
#define IDC_WARP_POST_BUCKLING          2357
#define IDC_WARP_PIVOT_ADJUST           2358
#define IDC_WARP_ABORT                  2359
#define IDC_WARP_ZERO_PIVOT_TEXT        2591
#define IDC_WARP_ZERO_PIVOT             2590

// Parts to analyze.
#define IDC_WARP_PARTS_LIST             13065
