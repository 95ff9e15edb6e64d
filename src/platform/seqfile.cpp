#include "platform/seqfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

#include "platform/text.h"

namespace sw {

namespace fs = std::filesystem;

bool ReadFileBytes(const fs::path& path, std::string& out) {
  out.clear();
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

namespace {

bool WriteAll(int fd, const char* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

fs::path TempNameBeside(const fs::path& target) {
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%012llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFFFFFull));
  fs::path t = target;
  t += suffix;
  return t;
}

bool WriteAtomicImpl(const fs::path& path, std::string_view bytes, size_t failAfter) {
  fs::path temp = TempNameBeside(path);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok;
  if (failAfter < bytes.size()) {
    WriteAll(fd, bytes.data(), failAfter);
    ok = false;
  } else {
    ok = WriteAll(fd, bytes.data(), bytes.size());
  }
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  std::error_code ec;
  if (ok) {
    fs::rename(temp, path, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

}  // namespace

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  return WriteAtomicImpl(path, bytes, static_cast<size_t>(-1));
}

// ---------------------------------------------------------------- reader

bool SeqReader::Open(const fs::path& path) {
  Close();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  OpenBytes(std::move(bytes));
  return true;
}

void SeqReader::OpenBytes(std::string bytes) {
  data_ = Cp1252ToUtf8(bytes);
  pos_ = 0;
  open_ = true;
  ended_ = false;
}

void SeqReader::Close() {
  data_.clear();
  pos_ = 0;
  open_ = false;
  ended_ = false;
}

void SeqReader::SkipLineEnd() {
  if (pos_ < data_.size() && data_[pos_] == '\r') {
    ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  } else if (pos_ < data_.size() && data_[pos_] == '\n') {
    ++pos_;
  }
}

bool SeqReader::LineInput(std::string& out) {
  out.clear();
  if (Eof()) {
    ended_ = true;
    return false;
  }
  size_t end = data_.find_first_of("\r\n", pos_);
  if (end == std::string::npos) end = data_.size();
  out.assign(data_, pos_, end - pos_);
  pos_ = end;
  SkipLineEnd();
  return true;
}

std::string SeqReader::LineInput() {
  std::string s;
  LineInput(s);
  return s;
}

bool SeqReader::InputItem(std::string& out) {
  out.clear();
  // Leading blanks, and a line end left by a previous item, come first.
  while (pos_ < data_.size() && (data_[pos_] == ' ' || data_[pos_] == '\t')) ++pos_;
  if (Eof()) {
    ended_ = true;
    return false;
  }
  if (data_[pos_] == '"') {
    ++pos_;
    size_t close = data_.find('"', pos_);
    if (close == std::string::npos) close = data_.size();
    out.assign(data_, pos_, close - pos_);
    pos_ = close < data_.size() ? close + 1 : close;
    // Anything between the closing quote and the delimiter is dropped.
    while (pos_ < data_.size() && data_[pos_] != ',' && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
  } else {
    size_t end = data_.find_first_of(",\r\n", pos_);
    if (end == std::string::npos) end = data_.size();
    out.assign(data_, pos_, end - pos_);
    pos_ = end;
  }
  if (pos_ < data_.size() && data_[pos_] == ',') {
    ++pos_;
  } else {
    SkipLineEnd();
  }
  return true;
}

std::string SeqReader::InputItem() {
  std::string s;
  InputItem(s);
  return s;
}

double SeqReader::InputNumber() { return Val(InputItem()); }

// ---------------------------------------------------------------- writer

SeqWriter::~SeqWriter() { Abandon(); }

bool SeqWriter::Open(const fs::path& path) {
  Abandon();
  std::error_code ec;
  fs::path dir = path.parent_path();
  if (!dir.empty() && !fs::is_directory(dir, ec)) return false;
  if (fs::is_directory(path, ec)) return false;
  target_ = path;
  buffer_.clear();
  failed_ = false;
  open_ = true;
  return true;
}

void SeqWriter::PrintText(std::string_view text) {
  if (open_) buffer_ += text;
}

void SeqWriter::PrintLine(std::string_view text) {
  if (!open_) return;
  buffer_ += text;
  buffer_ += "\r\n";
}

SeqWriter::Item SeqWriter::Number(double v) { return {LTrim(Str(v)), false}; }

void SeqWriter::WriteLine(const std::vector<Item>& items) {
  if (!open_) return;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) buffer_ += ',';
    if (items[i].quoted) {
      buffer_ += '"';
      buffer_ += items[i].text;
      buffer_ += '"';
    } else {
      buffer_ += items[i].text;
    }
  }
  buffer_ += "\r\n";
}

bool SeqWriter::Close() {
  if (!open_) return false;
  open_ = false;
  bool ok = WriteAtomicImpl(target_, Utf8ToCp1252(buffer_), failAfter_);
  buffer_.clear();
  return ok;
}

void SeqWriter::Abandon() {
  open_ = false;
  buffer_.clear();
}

}  // namespace sw
