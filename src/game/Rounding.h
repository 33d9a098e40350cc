#pragma once

#include <cmath>

namespace vextal {

// Rounds to the nearest whole number, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double RoundHalfEven(double value) {
  return value - std::remainder(value, 1.0);
}

}  // namespace vextal
