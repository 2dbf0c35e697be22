// Ids of the strings every analysis wizard shares: resources/wizard.rc
// includes this header, and so does the C++ that shows them.

// No boundary-condition set of the analysis' kind lies below the model: the
// wizard cannot run and ends as cancelled.
#define IDS_NO_BOUNDARY_SETS 13302
