// Ids of the small test sheet and its options dialog: TestSheet.rc includes
// this header, and so do the tests that drive them.

#define IDD_TEST_PAGE1      30001
#define IDD_TEST_PAGE2      30002
#define IDD_TEST_OPTIONS    30010

#define IDC_TEST_NAME       30101
#define IDC_TEST_SHAPE_BOX  30110
#define IDC_TEST_SQUARE     30111
#define IDC_TEST_ROUND      30112
#define IDC_TEST_OVAL       30113
#define IDC_TEST_COOLING    30121
#define IDC_TEST_MATERIAL   30131
#define IDC_TEST_GATES      30141
#define IDC_TEST_OPTIONS    30151
#define IDC_TEST_COUNT_TEXT 30160
#define IDC_TEST_COUNT      30161
#define IDC_TEST_RESULTS    30171
#define IDC_TEST_NOTE       30181
#define IDC_TEST_LIMIT      30201
#define IDC_TEST_ASK        30211

#define IDS_TEST_SHEET      30001
#define IDS_TEST_OPTIONS    30002
#define IDS_TEST_ASK        30003
