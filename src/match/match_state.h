// Values the match result screen shares with the Match search.
#pragma once

#include <cstdint>

namespace sw {

// The answer on the match result screen: 0 "Return to Old Specs",
// 1 "Keep These New Specs".
inline int16_t KeepMatchSpecs = 0;

}  // namespace sw
