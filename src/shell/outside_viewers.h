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

}  // namespace sw
