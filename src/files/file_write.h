// Writing one of the program's text files as a whole: Windows-1252 on disk,
// through a temporary file that replaces the target only once all of it is
// written, so a failed save never leaves a cut-off file behind.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// True when a save to `target` may be tried: its folder exists, and it is no
// folder itself and not a read-only file (a file brought from elsewhere).
// Whether the folder can be written to, the disk holds it and the name leads
// to a regular file, only the write itself tells. When false, `error` (when
// given) says why (see WriteErrorText).
bool CanReplaceFile(const std::filesystem::path& target, int* error = nullptr);

// Writes UTF-8 text (lines already ended with CR LF). False when anything
// failed; the target is then as it was, and `error` (when given) says why
// (see WriteErrorText).
bool WriteTextFile(const std::filesystem::path& target, std::string_view text, int* error = nullptr);

// The message of a save whose write failed: what could not be written
// ("The file"), where (the file a link leads to), and the system's reason.
std::string WriteFailureText(const std::string& what, const std::filesystem::path& target, int error);

// Test hook: every following write (or only those to a file named `onlyTo`)
// fails once this many bytes are written, as on a full disk (the temporary
// file is dropped). SIZE_MAX switches it off.
void FailFileWritesAfterForTest(std::size_t bytes, const std::string& onlyTo = {});

}  // namespace sw
