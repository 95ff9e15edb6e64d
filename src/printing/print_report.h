// The printed report, the blank worksheet and the definitions of outputs.
//
// Printing happens in two steps. First everything the pages show is taken
// into a ReportJob: the run table, the history, the specs with their row
// captions and pick-list texts, the comments the racer typed, the date and
// time, the definition texts. Then DrawReport lays the pages out on a
// canvas, as often as the print preview asks, always the same pages.
//
// Positions are fractions of the printable width W and height H, so the
// layout scales with the paper.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "printing/report_canvas.h"
#include "simulation/tables.h"

namespace sw {

enum class ReportKind { Report, Worksheet, Definitions };

// The printout options, in the order of the options window's boxes.
enum PrintOption : int {
  kIncludeSpecs = 0,
  kIncludeComments = 1,
  kDotMatrix = 2,
  kRequestComment = 3,
  kIncludeHistory = 4,
};

inline constexpr int kSpecRowsMax = 51;     // row captions 0..50 of one menu
inline constexpr int kDefinitionEntries = 50;
inline constexpr int kOutputNames = 21;     // results headings 0..10, history headings 11..20

struct ReportJob {
  ReportKind kind = ReportKind::Report;
  std::array<int16_t, 5> options{};
  bool includeHistory = false;   // option 4 and the history shown in the results window
  bool includeComments = false;  // option 1, never on the worksheet
  std::string fontName;          // "" keeps the canvas's font
  std::string reportComment;     // under every page header
  std::string worksheetComment;  // on the worksheet's first spec page
  std::string vehicleName;
  std::string vehicleComments;
  std::string date;  // mm-dd-yyyy
  std::string time;  // h:mm:ss am/pm
  int16_t finerTime = 0;

  // Run table rows 0 (headings) .. FinishRow, and the history grid's rows.
  std::vector<std::array<std::string, 11>> resultRows;
  std::vector<std::array<std::string, 10>> historyRows;
  std::string etCurrent, etLast;
  double mphCurrent = 0, mphLast = 0;
  bool hasLast = true;  // a run before this one of the same length

  // Specs of menus 1..6 with the captions of their rows (from the row files)
  // and the items of their pick lists, [menu][row].
  std::array<std::string, kSpecCount> specs;
  std::array<std::array<std::string, 3>, 10> powerCurve;
  std::array<std::array<std::string, kSpecRowsMax>, 7> captions;
  std::array<std::array<std::vector<std::string>, kSpecRowsMax>, 7> presets;

  // Definitions: the output names, and every item of the two text files.
  std::array<std::string, kOutputNames> outputNames;
  std::vector<std::string> definitionItems;  // TEXT/OUTHELP.TXT
  std::vector<std::string> specialTitles;    // TEXT/SPCLCTTL.TXT
};

// A job of this kind with everything taken from the shared tables and the
// program's files, except the comments typed for it and the definition
// texts. `options` are the options window's boxes.
ReportJob TakeReportJob(ReportKind kind, const std::array<int16_t, 5>& options);

// Reads the two definition files into the job. False, after a message that
// names the file, when one cannot be read.
bool ReadDefinitionTexts(ReportJob& job);

// The captions of the spec rows of menu m, read from its row file (the first
// of each four lines); rows the file does not reach are empty.
std::array<std::string, kSpecRowsMax> ReadRowCaptions(int menu);

// Breaks a comment into printed lines, at most `maxLines`, taking them from
// the front of `rest`: a line ends at CR, LF or CR LF, else at the last blank
// of its first 75 characters (or after 75 characters when it has none); each
// line is trimmed. `rest` keeps what was not printed.
std::vector<std::string> TakeCommentLines(std::string& rest, int maxLines);

// Lays out the job's pages on the canvas.
void DrawReport(const ReportJob& job, ReportCanvas& canvas);

}  // namespace sw
