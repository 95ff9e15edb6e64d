#include "files/version2_file.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "files/file_state.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/tables.h"

namespace sw {

namespace {

constexpr int kValueLines = 66;
constexpr std::array<int, 6> kCheckLines = {13, 26, 39, 45, 58, 66};

// The engine size is missing from these files: the user's estimate when it
// is in proportion to the peak power, else 90 % of the power, at most 650.
double EngineSize(double peakPower) {
  InputAnswer a = InputBox(std::string("This Version 2 vehicle file does not include an Engine Cubic Inches.") + CR +
                               "Enter your estimate of the Cubic Inches or click on Cancel and the program will "
                               "estimate it for you.",
                           "Engine Cubic Inches", "");
  double typed = a.cancelled ? 0 : Val(a.text);
  if (typed < 0.1 * peakPower || typed > 10 * peakPower) return std::min(0.9 * peakPower, 650.0);
  return typed;
}

void ApplyFieldMap(const std::array<std::string, kValueLines + 1>& line) {
  auto& s = tbl.SpecText;
  auto v = [&](int row) { return Val(s[row]); };
  auto copyLines = [&](int firstRow, int lastRow, int firstLine) {
    for (int r = firstRow; r <= lastRow; ++r) s[r] = line[firstLine + (r - firstRow)];
  };

  // Engine.
  s[0] = "1";
  s[1] = Format(EngineSize(Val(line[3])), "###0");
  copyLines(2, 5, 3);
  s[6] = "0";
  s[13] = s[14] = "";

  // Transmission.
  s[15] = line[14] == "C" ? "1" : "3";
  for (int r = 37; r <= 40; ++r) s[r] = "";
  copyLines(16, 18, 15);
  copyLines(20, 21, 18);
  s[22] = "0";
  s[23] = Format(100 - Val(line[34]) + 0.5, "##");
  copyLines(24, 29, 20);
  for (int r = 30; r <= 35; ++r) s[r] = "1";
  s[19] = "0";

  // Body and axle.
  s[49] = line[27];
  copyLines(50, 54, 29);
  copyLines(55, 61, 37);
  s[45] = line[28];
  s[46] = line[35];
  s[47] = line[36];
  s[48] = "0";
  s[49] = line[27] == "F" ? "1" : line[27] == "A" ? "2" : "0";
  {
    double x = v(47);
    s[47] = x < 35 ? "0" : x < 65 ? "1" : x < 90 ? "2" : "3";
  }
  {
    double x = v(54);
    s[54] = x <= 45 ? (v(51) <= 20 ? "2" : "1") : "0";
  }
  s[60] = s[61] = "";

  // Wheels and tires.
  s[64] = line[40];
  s[65] = line[41];
  s[67] = line[42];
  s[68] = line[43];
  s[69] = line[44];
  s[63] = "1";
  s[66] = "0";
  s[65] = Format(2 * v(65), "###.00");
  s[68] = Format(2 * v(68), "###.00");
  {
    double x = v(69);
    if (x <= 1.05) {
      s[69] = "0", s[70] = "6", s[71] = "90", s[72] = "10";
    } else if (x <= 1.5) {
      s[69] = "1", s[70] = "7", s[71] = "90", s[72] = "10";
    } else {
      s[69] = "4", s[70] = "10", s[71] = "90", s[72] = Format(5 * x, "###");
    }
  }
  for (int r = 73; r <= 76; ++r) s[r] = "";

  // Driving.
  copyLines(77, 83, 46);
  copyLines(85, 89, 53);
  s[84] = "1";
  {
    double x = v(82);
    s[82] = x < 0.1 ? "3" : x < 0.3 ? "2" : x < 0.6 ? "1" : "0";
  }
  {
    double x = v(83);
    s[83] = x < 25 ? "2" : x < 75 ? "1" : "0";
  }

  // Conditions.
  copyLines(97, 104, 58);
  s[97] = v(100) == 0 ? "3" : "1";
  {
    double y = v(104);
    s[105] = y == 0 ? "3" : y <= 6 ? "0" : y < 14 ? "1" : "2";
  }
  {
    double z = v(103);
    s[104] = z == 660 ? "1" : z == 5280 ? "2" : z == 31680 ? "3" : "0";
  }
  {
    double w = v(102);
    if (w == 0) {
      s[103] = "0";
    } else if (w < 0) {
      s[103] = "2";
      s[102] = LTrim(Str(std::fabs(w)));
    } else {
      s[103] = "1";
    }
  }
}

}  // namespace

void ConvertVersion2File(SeqReader& file, const std::string& firstLine, int16_t openMode, const std::string& path) {
  fst.FileVersion = filever::NotOurs;
  if (!firstLine.empty()) return;
  std::array<std::string, kValueLines + 1> line;
  for (int k = 1; k <= kValueLines; ++k) {
    if (file.Eof()) return;
    file.LineInput(line[k]);
  }
  for (int k : kCheckLines) {
    std::string t = Trim(line[k]);
    if (t != "Y" && t != "N") return;
  }
  for (int k = 1; k <= kValueLines; ++k) fst.SpecTextAlt[k] = line[k];
  std::string comment;
  for (int i = 0; i < 3 && !file.Eof(); ++i) comment += file.LineInput() + CRLF;

  if (openMode == 2) {
    // A preview keeps the raw lines for the open window and changes nothing current.
    fst.SavedComment = comment;
  } else {
    for (int i = 0; i < 10; ++i)
      for (int j = 0; j < 3; ++j) tbl.PowerCurveText[i][j].clear();
    ApplyFieldMap(line);
    fst.VehicleComments = comment;
  }
  fst.FileVersion = filever::V2Converted;
  file.Close();
}

}  // namespace sw
