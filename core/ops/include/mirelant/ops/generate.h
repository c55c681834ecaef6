#pragma once

#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"

namespace mirelant::ops {

std::vector<Worker> PrepareGenerate(Host& host);

}  // namespace mirelant::ops
