// What one physical key produces: on release every code is pressed in list
// order, then every code is released in the same order (not reversed).
#pragma once

#include <vector>

namespace orvane {

using KeySequence = std::vector<int>;

} // namespace orvane
