// The run table of the last run as a plain text file in the program folder,
// for a spreadsheet or another program: one line per row (or per column),
// the cells comma separated or in 8-character columns, with or without the
// headings and text labels.
#pragma once

#include <string>
#include <vector>

#include "simulation/tables.h"

namespace sw {

struct AsciiOptionSet {
  bool comma = false;    // "Comma Separated"
  bool text = false;     // "Include Text"
  bool columns = false;  // "Convert to Columns": one line per column of the table
};

// The name typed last in the export window, kept while the program runs.
extern std::string AsciiFileName;

// The lines of the file: rows 0 (the headings) to the finish row, at least
// to row 20. Every cell keeps its field, so a value always stands under its
// heading: a text cell left out is an empty field (comma separated) or 8
// blanks; a cell of 8 characters or more is followed by one blank. Lines
// without any value are left out.
std::vector<std::string> AsciiExportLines(const decltype(ProgramTables::ResultsText)& table, int finishRow,
                                          const AsciiOptionSet& options);

// True for the names of the program's own files and folders, shipped or
// written by it, whatever their case: an export must never replace them.
bool IsProgramOwnName(const std::string& name);

enum class AsciiSave {
  Written,      // the file is written; the window stays open
  Stopped,      // nothing written, the window stays open (the racer was told why)
  CloseWindow,  // nothing written, Cancel at the replace question
};

// Checks the typed name, asks before replacing a file, writes the file and
// says so. The name goes into the program folder.
AsciiSave WriteAsciiFile(const std::string& typedName, const AsciiOptionSet& options);

}  // namespace sw
