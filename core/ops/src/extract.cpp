#include "mirelant/ops/extract.h"

namespace mirelant::ops {

std::vector<Worker> PrepareExtract(Host&) { return {}; }

}  // namespace mirelant::ops
