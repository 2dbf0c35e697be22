// Compiled as part of the keyword layer: the layers below it are in sight.
#include "keyword/KeywordFile.h"
#include "platform/window/Types.h"
#include "units/Units.h"

int DownwardIncludeProbe() { return 0; }
