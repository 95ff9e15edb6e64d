// Vehicle files of the older version 2 format: an empty first line, 66
// values, three comment lines. They are read (converted into SpecText
// by a fixed field map) and never written.
#pragma once

#include <cstdint>
#include <string>

namespace sw {

class SeqReader;

// `file` is positioned after its first line `firstLine`. Sets fst.FileVersion
// to -2 (not a version 2 file) or 1 (converted; in open mode 2 only the raw
// lines are kept in SpecTextAlt and the comment in SavedComment). Closes the
// file after a conversion.
void ConvertVersion2File(SeqReader& file, const std::string& firstLine, int16_t openMode, const std::string& path);

}  // namespace sw
