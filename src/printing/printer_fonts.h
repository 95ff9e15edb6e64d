// Printer fonts: a fixed-pitch font for printouts that line text up in
// columns, a proportional one for the report pages. The choice is made from a
// list of font families, so it can be checked on any list; the selectors run
// it over the fonts installed for printing.
//
//   PrintDocument(this, "Example List", [](PrintPage& page) {
//     SelectFixedPrinterFont(page);   // the page now prints in that font
//     ...
//   });
#pragma once

#include <string>
#include <vector>

namespace sw {

class PrintPage;

// Fixed pitch, in this order of preference, each tried over the whole list
// from its start before the next: a name starting with "Courier", containing
// "Fixedsys", "Terminal", "System" (all case-sensitive); then the families
// "Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono"; then `fallback`.
// Returns the family as listed, `fallback` when none qualifies.
std::string ChooseFixedPrinterFont(const std::vector<std::string>& families,
                                   const std::string& fallback = "");

// Proportional: a name starting, ignoring case, with "MSSANS", "ARIAL",
// "UNIVE", "ROMAN"; then "Liberation Sans", "Nimbus Sans", "DejaVu Sans";
// then `fallback`.
std::string ChooseProportionalPrinterFont(const std::vector<std::string>& families,
                                          const std::string& fallback = "");

// The font families installed for printing.
std::vector<std::string> PrinterFontFamilies();

// The choices over the installed fonts, the system's fixed and general fonts
// last. "" when nothing qualifies (no fonts at all).
std::string SelectFixedPrinterFont();
std::string SelectProportionalPrinterFont();

// The same, and the page's font becomes the chosen one (left alone for "").
std::string SelectFixedPrinterFont(PrintPage& page);
std::string SelectProportionalPrinterFont(PrintPage& page);

}  // namespace sw
