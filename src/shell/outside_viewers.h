// The web page, the text documents and the PDF manual, shown in the
// desktop's own viewers. Each tells the user first how to come back, and
// says so once when no viewer could be started; none ends the program.
#pragma once

#include <string>

namespace sw {

// Opens the document as plain text; `documentName` names it in the message
// ("Readme.doc", "Analysis Report"). A document whose name does not end in
// ".txt" is shown through a ".txt" copy in a temporary folder, so the
// desktop picks its text viewer for it.
void ShowTextDocument(const std::string& documentPath, const std::string& documentName);

// The maker's page, shipped in the program folder until there is a public
// one: the one place that names it.
inline constexpr const char* kMakerPage = "TEXT/korvath.htm";
// kMakerPage in the program folder as an address a browser takes.
std::string MakerAddress();

// Opens the address in the browser the configuration names (when it is a
// program here), else in the desktop's default browser.
void ShowWebSite(const std::string& address, const std::string& siteName);

// Opens TEXT/<stem>4.pdf of the program folder ("QVZMan" the user's manual,
// "Supp" the supplement) in the PDF viewer the configuration names (when it
// is a program here), else in the desktop's default one.
void ShowUserManual(const std::string& documentStem);

}  // namespace sw
