#include "data/ProcessState.h"

namespace korvane {

TSettings Settings;

} // namespace korvane
