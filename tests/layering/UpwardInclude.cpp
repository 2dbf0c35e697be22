// Compiled as part of the keyword layer: the wizard base lies above it, so
// this include must not be found.
#include "keyword/KeywordFile.h"
#include "wizard/Wizard.h"

int UpwardIncludeProbe() { return 0; }
