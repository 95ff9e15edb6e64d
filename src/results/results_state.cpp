#include "results/results_state.h"

namespace sw {

std::string NotesText;
double SpinShiftTime = 0;
int16_t SlipRun = 0;
int16_t GridReady = 0;

}  // namespace sw
