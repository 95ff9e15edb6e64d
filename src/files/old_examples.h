// Removal of the example vehicles of version 3.0 from the user's vehicle
// library. The shipped list file OldFiles names them, each with the date
// number of the file as shipped:
//   characters 1 to 7: the date number, blank-padded;
//   then, after the first run of five blanks, the file name.
#pragma once

#include <cstdint>

namespace sw {

// mode 0: remove every listed file; mode 1: only those not changed since
// they were shipped. Asks first (No is the default), reports the count and
// sets oldExamplesDeleted = 1. Files in sub-folders are never touched.
void DeleteOldVehicleFiles(int mode, int16_t& oldExamplesDeleted);

}  // namespace sw
