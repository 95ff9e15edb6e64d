// Sequential text files as the program's files are laid out: lines, and
// items separated by commas (a quoted item keeps its commas). Windows-1252 on
// disk, UTF-8 in memory; CR LF written, CR LF, LF or CR accepted when read.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class SeqReader {
 public:
  SeqReader() = default;
  explicit SeqReader(const std::filesystem::path& path) { Open(path); }

  // False when the file cannot be opened (missing, a folder, no permission).
  bool Open(const std::filesystem::path& path);
  // Reads from text already in memory (tests, fuzzing).
  void OpenBytes(std::string bytes);
  bool IsOpen() const { return open_; }
  void Close();

  // True when nothing is left to read.
  bool Eof() const { return pos_ >= data_.size(); }
  // True once a read was asked for past the end of the file: what was read
  // so far is all there is.
  bool Ended() const { return ended_; }

  // One whole line without its line end. At the end of the file: "" and false.
  bool LineInput(std::string& out);
  std::string LineInput();
  // One item: up to a comma or the line end; leading blanks skipped; a
  // quoted item is taken up to its closing quote, commas included.
  bool InputItem(std::string& out);
  std::string InputItem();
  // An item read as a number with the leading-number conversion.
  double InputNumber();

 private:
  std::string data_;
  size_t pos_ = 0;
  bool open_ = false;
  bool ended_ = false;
  void SkipLineEnd();
};

// Why a save failed: the system's error number (errno) of the step that
// failed, or kNotARegularFile. 0 when it succeeded.
// A save replaces only a regular file: a device, a pipe, a socket or a
// folder in the file's place, or at the end of its link, is left alone.
inline constexpr int kNotARegularFile = -1;
// The reason in the system's words ("Permission denied").
std::string WriteErrorText(int error);

// Writes a file as a whole: everything goes to a temporary file in the same
// folder, and Close() replaces the target only once all of it is on disk.
// A writer that is destroyed without Close(), or whose writing failed, leaves
// the old file untouched. A target that is a symbolic link to a regular file
// is written where the link points (the link stays); a link to anything else,
// to nothing or to itself is never replaced. A replaced file keeps its
// permissions.
class SeqWriter {
 public:
  SeqWriter() = default;
  explicit SeqWriter(const std::filesystem::path& path) { Open(path); }
  ~SeqWriter();
  SeqWriter(const SeqWriter&) = delete;
  SeqWriter& operator=(const SeqWriter&) = delete;

  bool Open(const std::filesystem::path& path);
  bool IsOpen() const { return open_; }

  // Print: the text and CR LF.
  void PrintLine(std::string_view text = {});
  // Text without a line end.
  void PrintText(std::string_view text);
  // Write: items separated by commas, texts in quotes, then CR LF.
  struct Item {
    std::string text;
    bool quoted;
  };
  static Item Quoted(std::string_view s) { return {std::string(s), true}; }
  static Item Number(double v);
  void WriteLine(const std::vector<Item>& items);

  // Flushes, syncs and renames over the target. False when anything failed;
  // the target is then as it was, and Error() says why.
  bool Close();
  int Error() const { return error_; }
  // Drops what was written; the target stays as it was.
  void Abandon();

  // Test hook: writing fails once this many bytes were written (as on a
  // full disk).
  void FailAfterBytesForTest(size_t n) { failAfter_ = n; }

 private:
  std::filesystem::path target_, temp_;
  std::string buffer_;
  bool open_ = false;
  int error_ = 0;
  size_t failAfter_ = static_cast<size_t>(-1);
};

// The name of a temporary file that a save writes beside its target before
// it replaces the target: "<name>.<12 hex digits>.tmp". A save that was
// killed leaves one behind; no list shows them.
bool IsTemporaryFileName(std::string_view name);
// Removes the temporary files under `folder` (sub-folders included) last
// changed before `before`: left-overs of saves that never finished. A newer
// one may belong to a save under way. Returns how many were removed.
int RemoveLeftOverTemporaryFiles(const std::filesystem::path& folder, std::filesystem::file_time_type before);

// The file a save to `path` writes: a symbolic link is followed to the file
// it names, so that the link stays a link.
std::filesystem::path SaveTarget(const std::filesystem::path& path);
// Why a save to `path` would leave what stands there alone (see
// kNotARegularFile): 0 for a regular file, at the end of a link or not, and
// for a free name; else the reason the write would give (a folder EISDIR, a
// dangling link ENOENT, a looping one ELOOP).
int SaveRefusal(const std::filesystem::path& path);

// Reads a whole file as bytes; false when it cannot be opened.
bool ReadFileBytes(const std::filesystem::path& path, std::string& out);
// Replaces a file with the given bytes through a temporary file and a rename.
// False when it failed; `error` (when given) then says why.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, int* error = nullptr);

}  // namespace sw
