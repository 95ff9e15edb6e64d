// Throttle-stop values the dial-in window, its menus and the prediction
// share for the whole run of the program.
#pragma once

#include <cstdint>

namespace sw {

// 1: Throttle Stop from one previous run plus an adjustment factor kept from
// an earlier pair of runs; 0: from two previous runs.
inline int16_t UseOneTsRun = 0;
// The current adjustment factor: throttle-stop change per unit of the ratio
// between real and calculated time.
inline double TsAdjustFactor = 0;

inline void ResetDialInState() {
  UseOneTsRun = 0;
  TsAdjustFactor = 0;
}

}  // namespace sw
