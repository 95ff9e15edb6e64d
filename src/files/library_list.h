// What the open window lists and previews: the library folder of each kind of
// file, the list filtered by a phrase or ordered by date, the name chosen
// from a list row, the note about examples of an older version, and the
// preview text of a file read into the preview buffer.
#pragma once

#include <span>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace sw {

// Kind word and library folder (under the program folder) of the files the
// open window lists.
struct LibraryKind {
  std::string kind;    // "Vehicle", "Ex. Vehicle", "Dial In", "Throttle Stop"
  std::string folder;  // "VEHDAT", "XVehicleData", "DIALIN", "THRTLSTP"
};
LibraryKind RetrieveKind(int calcMode, int exampleLibraryMode);

// The category list of the open window's phrase box.
const std::vector<std::string>& LibraryCategories();

struct LibraryFile {
  std::string name;  // file name within the folder
  std::tm changed{}; // last change, local time
};
// The files directly in a folder (no sub-folders, no hidden files and no
// temporary files of a save), in name
// order without regard to case, as the file list shows them. `readable`
// tells whether the folder could be listed.
std::vector<LibraryFile> ListLibraryFolder(const std::filesystem::path& folder, bool* readable = nullptr);

// (Year - 1970) x 1000 + Month x 40 + Day: grows with the date.
int DateKey(int year, int month, int day);

struct LibraryListing {
  std::string phrase;                // "" = all files
  bool listShown = false;            // false: the plain file list is shown
  std::vector<std::string> rows;     // the rows of the filtered or date list
  std::string countCaption;          // " 12 Vehicles in Library"
};
// Fills the list: the phrase from the category box (empty when it holds
// "Show All Files"), files whose upper-cased names contain it, by name or by
// date newest first ("9/1/2005   name").
LibraryListing FillLibraryList(const std::vector<LibraryFile>& files, const std::string& comboText, bool byDate,
                               const std::string& kind);

// The file name in a row of the list: the text after the first run of three
// blanks, trimmed, or the whole row.
std::string ChosenNameFromRow(const std::string& row);

// True when the folder holds one of the example vehicles of version 3.0 that
// the user may want removed.
bool HoldsOldExamples(const std::vector<LibraryFile>& files);
// The note about them (shown once per run of the program).
std::string OldExamplesNote();
inline bool OldExamplesNoteShown = false;

// The preview of a file read into the preview buffer (`alt` = SpecTextAlt):
// for vehicles two texts (engine and drivetrain; weight, axle, drive and
// body), for dial-in and throttle-stop files one. `version2` tells a
// converted version 2 vehicle file, whose raw lines stand in alt(1..66).
// "&&" in the texts shows as one ampersand.
void BuildPreview(int calcMode, std::span<const std::string> alt, bool version2, std::string& label1,
                  std::string& label3);

// Tip, chosen-file and count captions of the open window.
std::string RetrieveTipCaption(const std::string& kind);
std::string ChosenFileCaption(const std::string& kind, const std::string& name);

}  // namespace sw
