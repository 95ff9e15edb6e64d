#include "simulation/result_rows.h"

#include <cmath>

#include "platform/text.h"
#include "simulation/run_fault.h"

namespace sw {
namespace {

// Str of a whole number of gears (" 1") into `cell`, built without the
// general number conversion: result rows are written inside the time-step
// loop. `lastDigitOnly` appends only the last digit.
void AppendGearNumber(double n, std::string& cell, bool lastDigitOnly = false) {
  if (n >= 0 && n < 1000) {
    const int k = static_cast<int>(n);
    if (!lastDigitOnly) {
      cell += ' ';
      if (k >= 100) cell += static_cast<char>('0' + k / 100);
      if (k >= 10) cell += static_cast<char>('0' + k / 10 % 10);
    }
    cell += static_cast<char>('0' + k % 10);
    return;
  }
  const std::string text = Str(n);
  cell += lastDigitOnly ? Right(text, 1) : text;
}

}  // namespace

void BuildResultRow(int16_t& shiftFlag, ResultsTable& resultsText, int& row, EventValues& ev,
                    const int& eventKind, const double& eventValue, const double& rolloutDistance,
                    const double& gear, const std::string& finerTimes, const int16_t& wheelSpin, int& finishRow,
                    const int16_t& samplesPerSecond) {
  if (row < 0 || row >= kResultsRows) {
    // Nothing is written outside the table.
    ReportRunFault(rterr::kSubscript, kStepResultRow);
    return;
  }
  const bool finer = finerTimes == "Y";
  const bool miles = samplesPerSecond < 3;

  for (int col = 0; col <= 12; ++col) {
    std::string& cell = resultsText[col][row];
    if (col == 0) {
      if (shiftFlag != 0) {
        cell.clear();
        AppendGearNumber(Int(gear + 0.5), cell);
        cell += '-';
        AppendGearNumber(Int(gear + 1.5), cell, true);
      } else if (eventKind == kEventDistance && eventValue == rolloutDistance) {
        cell = "RO";
        const double t0 = ev[1][1], x0 = ev[1][4];
        for (int k = 0; k < row; ++k) {
          std::string& time = resultsText[1][k];
          if (time.empty()) continue;
          FormatDecimalsTo(Val(time) - t0, finer ? 3 : 2, time);
          std::string& feet = resultsText[4][k];
          FormatDecimalsTo(miles ? 0 : Val(feet) - x0, miles ? 2 : 0, feet);
        }
        ev[1][1] = 0;
        ev[1][4] = 0;
      } else {
        cell.clear();
        AppendGearNumber(Int(gear + 0.5), cell);
      }
      continue;
    }
    int decimals = 0;
    double value = ev[1][col];
    switch (col) {
      case 1: decimals = finer ? 3 : 2; break;
      case 2: decimals = finer ? 2 : 1; break;
      case 3: decimals = 2; break;
      case 4:
        if (miles) {
          value /= 5280;
          decimals = 2;
        }
        break;
      case 7: decimals = 2; break;
      default: break;
    }
    FormatDecimalsTo(value, decimals, cell);
  }

  shiftFlag = 0;
  if (wheelSpin == 1) resultsText[3][row] += "S";
  ++row;
  if (row > kLastResultsRow) {
    row = kLastResultsRow;
    finishRow = kLastResultsRow;
  }
}

}  // namespace sw
