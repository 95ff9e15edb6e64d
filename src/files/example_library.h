// Example component libraries: QVZEXMP/<code> in the program folder holds the
// named engines, clutches, converters, transmissions, bodies and tires a
// racer picks from or adds to. This module reads a library into the list
// the example window shows, compares an example with the current specs,
// loads one into SpecText, and rewrites a library to add the current specs
// as a new example or to delete one.
//
// A library file, CR LF lines:
//   1      heading of the name column
//   2-5    four lines kept as they are
//   6      n, the number of fields (1..15; an engine library has at least 7)
//   then   n field definitions of four items each (comma- or line-delimited):
//          list column, column title, spec menu, spec row
//   then   the examples: a name line, n value lines (a pick row holds its
//          choice number, "na" marks a field that does not apply) and, for
//          the engine library, 30 curve lines (RPM, torque, HP of 10 points)
//   last   "-99"
// A name line whose number is below -98 ends the library. An example cut
// short by the end of the file, or holding a value or curve line below -98,
// is left out of the list and of a rewrite alike, and the reading goes on
// with the next, so that a list position is always the same example.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sw {

inline constexpr int kExampleFieldsMax = 15;
inline constexpr int kExampleRecordSize = 52;
inline constexpr int kExampleLibraryMax = 301;  // examples a library holds
inline constexpr int kEngineCurveLines = 30;

// What the spec window asked for (set by its example button).
struct ExampleRequest {
  std::string component;  // library code: "ENG", "CLUTCH", "CONV", "TRANS", "BODY", "FTIRE", "RTIRE"
  std::string prefix;     // notes file NOTE<prefix>
  int kind = 0;           // offset of the group's name slot in the menu's slice of SpecText
  int menu = 0;           // the group's Type row
  int subChoice = 0;      // 1 = save the current specs as an example
};

// The example state the three example windows share.
struct ExampleValues {
  int16_t ExampleFieldCount = 0;
  std::array<int16_t, 16> ExampleColumnStart{};
  std::array<std::string, 16> ExampleColumnTitle;
  std::array<int16_t, 16> ExampleFieldMenu{};
  std::array<int16_t, 16> ExampleFieldRow{};
  int16_t ExampleNameWidth = 0;
  std::array<std::string, kExampleRecordSize> ExampleRecord;
  int16_t SelectedExample = 0;
  std::string NewExampleName;
  std::string ExampleNotesShown;  // prefixes whose notes were shown, each after a blank
};
extern ExampleValues exv;
void ResetExampleValues();

// The items of the preset list of (menu, row); false when it cannot be read
// (the reader has then said so). The windows pass ReadComboData.
using PresetReader = std::function<bool(int menu, int row, std::vector<std::string>& items)>;

// The preset lists one library read needs, each read once.
class PresetCache {
 public:
  explicit PresetCache(PresetReader reader) : reader_(std::move(reader)) {}
  // The list, empty when unreadable.
  const std::vector<std::string>& Items(int menu, int row);
  // The item for a stored choice; the stored text itself for "na", for a
  // choice outside the list, or when the list cannot be read.
  std::string ItemText(int menu, int row, const std::string& stored);

 private:
  PresetReader reader_;
  struct Entry {
    int menu, row;
    std::vector<std::string> items;
  };
  std::vector<Entry> read_;
};

inline constexpr const char* kExampleCorruptedMessage =
    "Example Data File seems to be corrupted.  You may need to reinstall this program.";
inline constexpr const char* kExampleUpdateFailedMessage =
    "Error encountered updating example file.  The file will not be updated.";
inline constexpr const char* kExampleLowNumberMessage = "An Example Name can not begin with a number below -98.";
inline constexpr const char* kExampleNameMissingMessage =
    "You must enter an Example Name before you can Save these specs.";

// A library as it stands in its file.
struct ExampleField {
  int columnStart = 0;
  std::string title;
  int menu = 0;
  int row = 0;
  bool usable = true;  // its definition makes sense: shown, compared and loaded
};
struct ExampleLibraryData {
  bool opened = false;           // the file could be read
  bool recordsReadable = false;  // lines 1-6 and every definition item are there: the examples can be read
  bool soundHead = false;        // ... and every definition makes sense
  std::array<std::string, 6> head;             // lines 1-6
  std::vector<std::string> definitionItems;    // 4 per field, as read
  std::vector<ExampleField> fields;
  // Each example: its name, then its n values, then (engine) its 30 curve lines.
  std::vector<std::vector<std::string>> examples;
};

// <program folder>/QVZEXMP/<code>.
std::filesystem::path ExampleLibraryPath(const std::string& component);
// Reads and checks a library; never shows a message.
ExampleLibraryData ParseExampleLibrary(const std::string& component);

// What the example list shows.
struct ExampleListing {
  std::string heading;             // the heading line over the columns
  std::vector<std::string> lines;  // one line per example, in file order
};

// Reads the library of `request.component` into the definitions of `exv`;
// the raw lines of example `keep` (from 1; 0 none) go to ExampleRecord.
// Unless in save mode it also builds the list. A missing or damaged library
// shows kExampleCorruptedMessage once; the list holds what could be read.
ExampleListing ReadExampleCategory(const ExampleRequest& request, int keep, const PresetReader& presets);

// The heading line and a list line (rules of the list's columns).
std::string ExampleHeadingLine(const std::string& nameHeading, const std::vector<ExampleField>& fields);
// Fills `line` up to `column`: an over-long text is cut two characters short
// and followed by two blanks.
void FillToColumn(std::string& line, int column);

// Rewrites the library: number (from 1) deletes that example; 0 appends the
// current specs as a new example called `newName` (a full library asks
// first; specs holding a value below -98 are refused, LowValueRefusal).
// True when the library was rewritten; a failure reports
// kExampleUpdateFailedMessage and leaves the file byte for byte as it was.
bool AddExampleToLibrary(const ExampleRequest& request, int number, const std::string& newName);

// Tests: the next library rewrite fails once this many bytes were written.
void FailNextExampleWriteAfterBytesForTest(size_t bytes);

// A record (CurrentExampleRecord) holding a value below -98 would end the
// library where it stands: the refusal naming its field and value, or "".
std::string LowValueRefusal(const std::vector<ExampleField>& fields, const std::vector<std::string>& record);

// The value and curve lines of the current specs for the library's fields.
std::vector<std::string> CurrentExampleRecord(const ExampleRequest& request, const std::vector<ExampleField>& fields);

// Marks the current specs as example `name` (cut to the name column): the
// group's name slot gets "Ex <label>: <name>", the marker slot its code.
// Returns the menu of the library's first field, whose Type row the caller
// refills (FillSpecCombo(menu, request.menu)); 0 when nothing was tagged.
int TagCurrentSpecs(const ExampleRequest& request, const std::string& name);

// The save refusals of the name box: the message, "" when the name will do.
std::string ExampleNameRefusal(const std::string& typed);

// Writes the chosen example (ExampleRecord, read with keep) into SpecText
// and PowerCurveText and tags the specs with `listLine`'s name. Returns the
// menu to refill as TagCurrentSpecs does.
int LoadInExampleSpecs(const ExampleRequest& request, const std::string& listLine);

// The notes of a prefix not shown yet in this run: true and the lines of
// NOTE<prefix> (at most 100), each after a CR. False when they were shown
// already or the file is missing. Marks the prefix shown.
bool TakeExampleNotes(const std::string& prefix, std::string& text);
inline const std::string kExampleNotesTitle =
    std::string(30, ' ') + "Notes on Example Data" + std::string(58, ' ');

// The comparison table of the compare window: heading, blank line, one row
// per field. In choose mode ExampleRecord and the chosen list line
// (NewExampleName) give the third column.
std::string ExampleComparisonText(const ExampleRequest& request, const PresetReader& presets);

// The protected (shipped) examples of a library: positions below this count
// can not be deleted.
int ProtectedExampleCount(const std::string& component);

// The page header lines of the printed list.
std::vector<std::string> ExampleListPageHeader(int page, const std::string& date, const std::string& time,
                                               const std::string& label3, const std::string& heading);

}  // namespace sw
