// Writing one of the program's text files as a whole: Windows-1252 on disk,
// through a temporary file that replaces the target only once all of it is
// written, so a failed save never leaves a cut-off file behind.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// True when `target` can be replaced: its folder exists and may be written
// to, and it is no folder itself and not a read-only file.
bool CanReplaceFile(const std::filesystem::path& target);

// Writes UTF-8 text (lines already ended with CR LF). False when anything
// failed; the target is then as it was.
bool WriteTextFile(const std::filesystem::path& target, std::string_view text);

// Test hook: every following write fails once this many bytes are written
// (the temporary file is dropped). SIZE_MAX switches it off.
void FailFileWritesAfterForTest(std::size_t bytes);

}  // namespace sw
