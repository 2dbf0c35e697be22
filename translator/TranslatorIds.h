#pragma once
// Dialog, control and string ids of the translator wizard. The resource script
// (resources/translator.rc) includes this file as well as the C++, so a
// renumbered control changes in one place; agent scripts may name the ids too.
// Plain #define lines only: the resource compiler reads this file.

// Dialog templates of the pages, in the order they are shown.
#define IDD_TRANSLATOR_PAGE1            13057
#define IDD_TRANSLATOR_PAGE2            13058
#define IDD_TRANSLATOR_PAGE2_PS         13045
#define IDD_TRANSLATOR_PAGE3            13059
#define IDD_TRANSLATOR_PAGE4            13060

#define IDS_TRANSLATOR_CAPTION          13220

// Page 1: mesh type, model units, translator, part dimensions.
#define IDC_TRANS_SURFACE_MESH          2376
#define IDC_TRANS_TET_MESH              2377
#define IDC_TRANS_UNITS_GROUP           2613
#define IDC_TRANS_MILLIMETRES           2608
#define IDC_TRANS_CENTIMETRES           2609
#define IDC_TRANS_METRES                2610
#define IDC_TRANS_INCHES                2611
#define IDC_TRANS_TRANSLATOR_GROUP      1035
#define IDC_TRANS_BUILT_IN              2378
#define IDC_TRANS_MDL                   2379
#define IDC_TRANS_PART_DIMENSIONS       13319

// Page 2: the mesher's remesh aim and tetrahedral refinement.
#define IDC_TRANS_REMESH_GROUP          2471
#define IDC_TRANS_BY_ELEMENTS           2469
#define IDC_TRANS_BY_EDGE_LENGTH        2470
#define IDC_TRANS_ELEMENT_AIM           2098
#define IDC_TRANS_EDGE_LENGTH           2083
#define IDC_TRANS_TET_GROUP             2587
#define IDC_TRANS_LAYERS_TEXT           2249
#define IDC_TRANS_LAYERS                2248
#define IDC_TRANS_ASPECT_RATIO_TEXT     2268
#define IDC_TRANS_ASPECT_RATIO          2267

// The MDL translator's remesh aim.
#define IDC_TRANS_MIN_DIVISION_TEXT     1037
#define IDC_TRANS_MIN_DIVISION          1038
#define IDC_TRANS_MIN_ELEMENTS_TEXT     1039
#define IDC_TRANS_MIN_ELEMENTS          1040
#define IDC_TRANS_MAX_ELEMENTS_TEXT     1041
#define IDC_TRANS_MAX_ELEMENTS          1042

// IGES options.
#define IDC_TRANS_MESH_DIVISIONS_TEXT   2288
#define IDC_TRANS_MESH_DIVISIONS        2286
#define IDC_TRANS_MODEL_LENGTH_CHECK    2296
#define IDC_TRANS_MODEL_LENGTH          2295
#define IDC_TRANS_NODAL_TOLERANCE_TEXT  2356
#define IDC_TRANS_NODAL_TOLERANCE       2353
#define IDC_TRANS_CURVATURE_ANGLE_TEXT  2069
#define IDC_TRANS_CURVATURE_ANGLE       2068
#define IDC_TRANS_USE_CONNECTIVITY      2616
#define IDC_TRANS_USE_RIBS              2619
#define IDC_TRANS_USE_FILTER            2617
#define IDC_TRANS_FILTER_LAYERS         2166
#define IDC_TRANS_USE_ATTRIBUTES        2615
#define IDC_TRANS_READ_LINES            2618

// Description and job submission.
#define IDC_TRANS_DESCRIPTION           2075
#define IDC_TRANS_TRANSLATE_NOW         2239
#define IDC_TRANS_BATCH_QUEUE           2240
#define IDC_TRANS_SUBMIT_LATER          2241
