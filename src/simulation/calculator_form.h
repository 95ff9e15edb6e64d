// What the calculator window shows, as plain values: its rows, outputs and
// note. The layout file builds it, the formulas and the weight estimator
// change it, Use Calc Value reads it, and the window only mirrors it on its
// widgets, so every calculator can be worked without a widget.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "simulation/tables.h"

namespace sw {

// Input rows 1..10 (0 is the hidden template row); outputs 0..2.
inline constexpr int kCalcRows = 11;
inline constexpr int kCalcLastRow = 10;
inline constexpr int kCalcOutputs = 3;

struct CalcRow {
  bool used = false;    // a row of the layout; rows past the last are hidden
  bool isList = false;  // a pick list, else a value box
  int frame = 1;        // the input frame it stands in (1 or 2)
  std::string caption;
  bool captionShown = true;
  bool enabled = true;  // caption and value box or list alike
  // Value box
  std::string text;
  double max = 0, min = 0;  // entry limits from the layout file
  // The text the program put into the box (a spec it starts from), "" once
  // the racer changed it or when a file gave it: leaving the box passes it
  // as it is, even outside the limits, unless the racer typed it.
  std::string programText;
  bool typed = false;  // the racer typed into the box since it was last left
  // Pick list
  std::vector<std::string> entries;
  int listIndex = -1;  // -1: nothing chosen
  bool yesNo = false;  // a list whose first entry is exactly "Yes"

  // The chosen entry's text, "" with nothing chosen.
  std::string ListText() const;
  // The value box read as a number (leading-number rule; "" reads 0).
  double Value() const;
  bool HoldsProgramText() const { return !typed && !programText.empty() && text == programText; }
};

struct CalcOutput {
  bool shown = false;       // one of the layout's nOut outputs
  std::string name;         // caption panel CalcOutName(i)
  std::string value;        // value label CalcOutData(i)
  bool nameEnabled = false;
  bool valueEnabled = true;
};

struct CalculatorForm {
  int number = 0;  // CalcMenuNumber when it was built
  std::string layoutFile;
  std::string caption;
  // The result Use Calc Value writes, named and checked against its normal
  // limits.
  std::string resultName;
  double resultMax = 0, resultMin = 0;
  // The note frame and its text (Label1). noteText keeps the layout's text
  // while `note` may carry a message in its place.
  bool hasNote = false;
  std::string noteCaption;
  int noteLines = 0;
  std::string noteText;
  std::string note;

  int outputCount = 0;   // nOut, 1..3
  int heightRow = 1;     // L: the row whose value box sets the window's bottom
  int frames = 1;        // F, 1..2
  int frameRows[2] = {0, 0};
  std::string frameCaption[2];
  int rowCount = 0;      // rows 1..rowCount are used

  std::array<CalcRow, kCalcRows> rows;
  std::array<CalcOutput, kCalcOutputs> out;

  double calcValue = 0;       // CalcValue, the working result of some formulas
  int changedWeightList = 0;  // the vehicle-weight list clicked last, else 0
  // The horsepower calculator's estimated curve (rows 0..9: RPM, torque),
  // which Use Calc Value writes as the power curve; the run's curve is never
  // the calculator's to draw.
  double estimatedCurve[3][kEngineCurveRows] = {};

  CalcRow& Row(int k) { return rows[static_cast<size_t>(k)]; }
  const CalcRow& Row(int k) const { return rows[static_cast<size_t>(k)]; }
  double Value(int k) const { return Row(k).Value(); }
  int Choice(int k) const { return Row(k).listIndex; }
};

}  // namespace sw
