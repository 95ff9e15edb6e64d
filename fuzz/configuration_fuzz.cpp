// Configuration files of any content. The reader must not crash, and what it
// read must survive a save and a restore: the text written after reading it
// back equals the text written before.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/configuration.h"
#include "files/file_state.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"

using namespace sw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetTables();
  ResetFileState();
  ConfigurationDefaults();
  SeqReader f;
  f.OpenBytes(std::string(reinterpret_cast<const char*>(data), size));
  ReadConfiguration(f);

  const std::string once = ConfigurationText(cfg.SavedSpecsChanged);
  SeqReader g;
  g.OpenBytes(Utf8ToCp1252(once));
  ReadConfiguration(g);
  if (ConfigurationText(cfg.SavedSpecsChanged) != once) std::abort();
  return 0;
}
