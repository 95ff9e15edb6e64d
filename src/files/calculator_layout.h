// The calculator layout files CALC/<stem>.CLC: which file each calculator
// reads, the reader that turns one into the rows, outputs and note of the
// calculator window, the values filled in from the current specs, and where
// everything stands on the window (in twips).
#pragma once

#include <array>
#include <string>

#include "simulation/calculator_form.h"

namespace sw {

// The layout file's stem of a calculator ("" for a number that has none) and
// the manual pages the help window names for it; pages is left alone for a
// number that has none.
std::string CalculatorStem(int number, std::string& pages);

// The spec menu whose window opens calculator `number` (and receives its
// result): 3 Body & Axle, 4 Wheels & Tires, 1 Engine, 6 Conditions, 8 and 9
// the dial-in window; 0 for a number without a calculator.
int SpecMenuOfCalculator(int number);

// Builds `form` for calculator `number`: sets CalcMenuPages, reads the
// layout file, fills rows from the specs and runs the formulas once. A
// missing or damaged layout file gets a message naming it, and false.
bool LoadCalculator(int number, CalculatorForm& form);

// The layout file alone (no specs, no formulas). False, with nothing shown,
// when the file is missing, short or holds something it may not; `problem`
// then names what.
bool ReadCalculatorLayout(const std::string& path, CalculatorForm& form, std::string& problem);

// Fills the rows of a freshly read calculator from the specs (weights,
// displacement, track width, the weather of the humidity calculators, the
// engine's peak power RPM), fills the year and make lists of the vehicle
// weight and trims the tire methods of the tread width calculator. What it
// puts into the value boxes is the program's text (CalcRow::programText),
// but for a spec a file gave (FigureFromFile).
void FillCalculatorFromSpecs(CalculatorForm& form);

// --- where things stand, in twips from the window's top left corner

struct CalcRect {
  int left = 0, top = 0, width = 0, height = 0;
  int Bottom() const { return top + height; }
  int Right() const { return left + width; }
};

struct CalcGeometry {
  int left = 5100, top = 320;  // the window on the screen
  int width = 0;               // the client area
  int height = 0;              // the outer height as laid out (title bar included)
  int clientHeight = 0;
  CalcRect frame[2];  // Frame3D1, Frame3D2
  CalcRect noteFrame, note;
  std::array<CalcRect, kCalcRows> caption, box, list;
  std::array<CalcRect, kCalcOutputs> outName, outData;
  // Cancel, Help, Use Calc Value, Print
  std::array<CalcRect, 4> buttons;
};

inline constexpr int kCalcTitleBar = 405;  // title bar and borders of the outer height

CalcGeometry LayOutCalculator(const CalculatorForm& form);

}  // namespace sw
