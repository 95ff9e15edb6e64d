// What the results window shows, as text: the run table's headings and rows,
// the current/last/improvement panel, the history grid and the layout
// figures that depend on the screen. No window code here, so the figures can
// be checked without a screen.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace sw {

inline constexpr int kResultsGridCols = 11;
inline constexpr int kResultsGridDesignRows = 24;  // rows 0..23 as designed
inline constexpr int kHistoryGridCols = 10;
inline constexpr int kHistoryGridRows = 25;        // headings + entries 0..23

// "####.000" with the finer time step, else "####.00".
std::string TimeFormat();

// Writes the headings into row 0 of the results table; the distance column
// reads "Miles" for the long track choices 2..4.
void WriteResultsHeadings();

// Rows the run grid shows, heading row included: the designed 24, more when
// the finish row lies further down (the finish is never cut off).
int ResultsGridRows();

// The current/last/improvement panel: Label1(0) .. Label1(6).
std::array<std::string, 7> PanelTexts();

// True when the run before this one went the same distance: only then are
// there a last run and an improvement to show (on screen and on paper).
bool LastRunComparable();

// Heading of history column 4, chosen by the newest run's length.
std::string HistoryMarkHeading();

// Every cell of the history grid, [row][column], row 0 the headings and row
// i + 1 history entry i.
std::vector<std::array<std::string, kHistoryGridCols>> HistoryGridCells();

// Width in twips of the history grid's title column for a screen this wide
// (in twips), and of its other columns.
int HistoryTitleColumnTwips(double screenWidthTwips);
int HistoryColumnTwips(int col);

// The help line shown above the history grid.
extern const char* const kHistoryHelpLine;

}  // namespace sw
