#include "mirelant/ops/generate.h"

namespace mirelant::ops {

std::vector<Worker> PrepareGenerate(Host&) { return {}; }

}  // namespace mirelant::ops
