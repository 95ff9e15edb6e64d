#include "shell/base_run_file.h"

#include "files/file_write.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {

BaseRunReadError ReadBaseRunFile() {
  BaseRunReadError err;
  auto fail = [&err](int number, const char* description) {
    if (err.number == 0) err = {number, description};
  };
  SeqReader in;
  if (!in.Open(ProgramPath(kBaseRunFile))) {
    fail(53, "File not found");
    return err;
  }
  if (!in.Eof()) {
    double rows = in.InputNumber();
    if (!InRange16(rows)) fail(6, "Overflow");
    else tbl.BaseRunRows = CInt(rows);
  }
  for (int r = 0; r <= tbl.BaseRunRows + 1; ++r) {
    for (int c = 0; c <= 8; ++c) {
      if (in.Eof()) continue;
      double v = in.InputNumber();
      if (r >= kRunLogRows) fail(9, "Subscript out of range");
      else tbl.BaseRun[c][r] = v;
    }
  }
  // The graphs read rows 0 .. BaseRunRows + 1: keep that inside the table
  // whatever the file claimed.
  if (tbl.BaseRunRows > kRunLogRows - 2) tbl.BaseRunRows = kRunLogRows - 2;
  if (tbl.BaseRunRows < 0) tbl.BaseRunRows = 0;
  return err;
}

bool WriteBaseRunFile(int* error) {
  int rows = tbl.BaseRunRows;
  if (rows > kRunLogRows - 2) rows = kRunLogRows - 2;
  if (rows < 0) rows = 0;
  std::string text = Str(tbl.BaseRunRows) + CRLF;
  for (int r = 0; r <= rows + 1; ++r)
    for (int c = 0; c <= 8; ++c) text += Str(tbl.BaseRun[c][r]) + CRLF;
  const std::filesystem::path path = ProgramPath(kBaseRunFile);
  return CanReplaceFile(path, error) && WriteTextFile(path, text, error);
}

}  // namespace sw
