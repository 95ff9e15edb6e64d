// The rules every spec row follows, kept apart from the widgets so that they
// are tested on their own: reading a menu's row file (caption, help line and
// limits of each row), what leaving a value box does to its text (leading
// number, whole-number rounding, range test and its "Warning"), how a pick is
// stored and read back, and the texts the spec windows show.
//
// The windows (src/specs/spec_window.h) call these; nothing here knows Qt.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class SeqReader;

// ------------------------------------------------------------ row files

// A row's limits. A maximum that prints with ".001" marks a whole-number row:
// entries are rounded to whole numbers and the maximum is shown without the
// fraction.
struct RowLimits {
  float maximum = 0;
  float minimum = 0;
  bool WholeNumber() const;
};

// One record of a row file. A record cut short by the end of the file keeps
// what was read: a row without limits skips the range test, a row without a
// caption keeps the one it was built with.
struct RowRecord {
  std::optional<std::string> caption;
  std::optional<std::string> help;
  std::optional<RowLimits> limits;
};

struct RowFileContents {
  std::vector<RowRecord> rows;  // one per row asked for, read or not
  bool complete = false;        // every row had its four items
};

// QVZHELP/help<menu>.txt under the program folder, for rows 0 .. rowCount-1:
// caption line, help line, maximum item, minimum item per row. A missing
// file gives rowCount empty records.
RowFileContents ReadRowFile(int menu, int rowCount);
RowFileContents ParseRowFile(SeqReader& in, int rowCount);

// "Spec Data for Menu # 3 is not readable.  You may need to reinstall this program."
std::string RowFileUnreadableMessage(int menu);

// ------------------------------------------------------------ leaving a value box

// The entry as the box shows it after leaving: its leading number (0 for
// text that starts with none), on a whole-number row rounded half up to a
// whole number, written as the runtime prints numbers, without the blank
// in front ("0.50" -> ".5"; whole: "2.5" -> "3", "-2.5" -> "-2").
std::string NormaliseEntry(std::string_view text, bool wholeNumber);

// The range test on a normalised entry, in single precision: the limits
// themselves are accepted (a minimum of .1 accepts .1).
bool WithinLimits(std::string_view normalised, const RowLimits& limits);

// "<caption> = <entry>.  Value must be between <min> and <max> ." with the
// limits printed with their sign position, the maximum of a whole-number
// row without its fraction: «Wheelbase, in = 250.  Value must be between  80 and  200 .»
std::string RangeWarning(std::string_view caption, std::string_view entry, const RowLimits& limits);

// Whether an entry may be stored as it stands, tested or not: empty, or
// inside the row's limits (a row without limits takes anything).
bool EntryStorable(std::string_view text, const std::optional<RowLimits>& limits);

// Whether a box holds exactly the text the program itself last put there (a
// stored spec, a file's figure, a computed one) while the racer has not
// changed it since (`programText` "" once the racer has). Leaving the box
// never refuses the program's own figure, even outside the limits: the racer
// could not leave the box without destroying it, and it is what is stored.
bool IsProgramText(std::string_view text, std::string_view programText);

enum class LeaveStep {
  Empty,     // an emptied box: accepted as empty, nothing tested
  Skipped,   // SkipValidation was set: the text stays as typed
  Refused,   // outside the limits: warn, put the text from before back
  Accepted,  // normalised and inside the limits (or the row has none), or
             // the program's own text outside them, kept exactly as it is
};

struct LeaveDecision {
  LeaveStep step = LeaveStep::Empty;
  std::string text;     // the normalised entry (Refused: the one the warning names)
  std::string warning;  // Refused: the "Warning" text
  bool changed = false; // Accepted: the value differs from the one before, as numbers
};

// What leaving a value box does, before any window-specific step.
// `programText`: the text the program last put into the box, "" once the
// racer changed it (IsProgramText).
LeaveDecision DecideLeave(std::string_view text, std::string_view textBefore, bool skipValidation,
                          const std::optional<RowLimits>& limits, std::string_view caption,
                          std::string_view programText);

// ------------------------------------------------------------ picks

// The stored form of a pick: the number with its sign position, " 2" or
// "-1" for none.
std::string PickStoredText(int pick);
// The pick a stored text selects in a list of `itemCount` items: its leading
// number rounded to an integer, or -1 when the text is empty or names no item.
int PickFromStored(std::string_view stored, int itemCount);

// ------------------------------------------------------------ example links

// What dropping an example link leaves in the spec table, with its window
// open or not: the group's name slot and the marker slot after it emptied,
// and its Type row stored as `typeText` (each window names its own Type).
void DropStoredExampleLink(int menu, int nameSlot, int typeRow, const std::string& typeText);

// ------------------------------------------------------------ texts

inline constexpr const char* kTipTitle = "Tip on Instant Help";
inline constexpr const char* kTipText =
    "Click on any spec name or text entry box and a brief description (and page # in the manual for more help) is "
    "printed in blue in the Help box at the bottom of this menu.";
inline constexpr const char* kWarningTitle = "Warning";
inline constexpr const char* kExampleQuestionTitle = "Change these Example Specs?";
inline constexpr const char* kPrintCommentTitle = "Printed Comment";
inline constexpr const char* kBeginnerHelpTitle = "Beginner Level Help";

// The caption with the quick calculation's result:
// «Body/Axle Specs  [ 12.36 @ 115.64   1.98 60 ft ]».
std::string InstantCaption(std::string_view caption, std::string_view et, double mph, std::string_view sixtyFoot);

// "Changing this value means these specs no longer match:" CR CR "    " name
// CR CR "Change this spec anyway?"
std::string ExampleChangeQuestion(std::string_view exampleName);

// The help box while a window is printed: "Vehicle: " name CR "Date/Time: "
// time CR comment.
std::string PrintNoteText(std::string_view fileName, const std::tm& when, std::string_view comment);

}  // namespace sw
