#include "results/results_state.h"

namespace sw {

std::string NotesText;
double SpinShiftTime = 0;
int16_t SlipRun = 0;
int16_t GridReady = 0;

int16_t AutoTimeSlip = 0;
int32_t TimeSlipTop = 0;
int32_t TimeSlipLeft = 0;
int16_t BaseRunMode = 0;
int16_t PrinterOrientation = 0;

}  // namespace sw
