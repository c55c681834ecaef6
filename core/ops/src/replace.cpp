#include "mirelant/ops/replace.h"

namespace mirelant::ops {

std::vector<Worker> PrepareReplace(Host&) { return {}; }

}  // namespace mirelant::ops
