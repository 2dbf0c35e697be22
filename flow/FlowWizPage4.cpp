// The valve-gate timing page (its grid comes with the timing editor).
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"

CFlowWizPage4::CFlowWizPage4() : CFlowWizPage(IDD_FLOW_PAGE4) {}
