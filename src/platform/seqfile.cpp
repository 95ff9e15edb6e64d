#include "platform/seqfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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
  // In one read of the size the file has (a help page or a weights table of
  // megabytes, char by char, took most of the time to show it); what a
  // file grown meanwhile holds beyond that follows.
  const auto size = fs::file_size(path, ec);
  if (!ec && size > 0) {
    out.resize(static_cast<size_t>(size));
    in.read(out.data(), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<size_t>(in.gcount()));
  }
  if (in) out.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

// Names are at most 255 bytes on Linux.
constexpr size_t kNameMax = 255;
// ".<12 hex digits>.tmp"
constexpr size_t kTempSuffixLength = 17;

bool IsLowerHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// The temporary name beside a file name: the name, cut (never inside a
// UTF-8 character) where the whole would be longer than a name may be, and
// a random suffix. Every name the name checks let through can be saved.
std::string TempNameFor(const std::string& name) {
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%012llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFFFFFull));
  std::string base = name;
  if (base.size() + kTempSuffixLength > kNameMax) {
    size_t cut = kNameMax - kTempSuffixLength;
    while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80) --cut;
    base.resize(cut);
  }
  return base + suffix;
}

// A link is followed at most this many times (as the system does): a chain
// longer than that is taken for a loop.
constexpr int kMaxLinkHops = 40;

struct Resolved {
  fs::path path;
  int links = 0;      // links followed
  bool loop = false;  // still a link after kMaxLinkHops
};

Resolved ResolveLinks(const fs::path& path) {
  Resolved r{path};
  for (;;) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(r.path, ec))) return r;
    if (r.links == kMaxLinkHops) {
      r.loop = true;
      return r;
    }
    fs::path to = fs::read_symlink(r.path, ec);
    if (ec) return r;
    r.path = to.is_absolute() ? to : r.path.parent_path() / to;
    ++r.links;
  }
}

// 0 when what a look at a name found may be replaced: a regular file, or
// nothing when no link led to it (a new file). `statError` is the look's
// errno (0 when it found something of kind `mode`). Anything else is never
// replaced.
int Refusal(int statError, mode_t mode, bool viaLink) {
  if (statError != 0) return statError == ENOENT && !viaLink ? 0 : statError;  // a dangling link: ENOENT
  if (S_ISLNK(mode)) return ELOOP;  // a link that changed under us
  if (S_ISDIR(mode)) return EISDIR;
  if (!S_ISREG(mode)) return kNotARegularFile;
  return 0;
}

// Refusal of `name` in the folder; a regular file's permissions go to
// `mode` (-1 for a new file).
int CheckReplaceable(int dirFd, const std::string& name, bool viaLink, int& mode) {
  mode = -1;
  struct stat st {};
  const int looked = ::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
  const int error = Refusal(looked, st.st_mode, viaLink);
  if (error == 0 && looked == 0) mode = static_cast<int>(st.st_mode & 0777);
  return error;
}

int WriteAtomicImpl(const fs::path& path, std::string_view bytes, size_t failAfter) {
  const Resolved resolved = ResolveLinks(path);
  if (resolved.loop) return ELOOP;
  const fs::path& target = resolved.path;
  const std::string name = target.filename().string();
  if (name.empty() || name == "." || name == "..") return EISDIR;
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  // Through the folder itself: the temporary file's path may then be longer
  // than a whole path may be, as long as its name is short enough.
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return errno;
  int oldMode = -1;
  int error = CheckReplaceable(dirFd, name, resolved.links > 0, oldMode);
  if (error != 0) {
    ::close(dirFd);
    return error;
  }
  const std::string temp = TempNameFor(name);
  const int fd = ::openat(dirFd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = errno;
    ::close(dirFd);
    return error;
  }
  if (failAfter < bytes.size()) {
    WriteAll(fd, bytes.data(), failAfter);
    error = ENOSPC;
  } else if (!WriteAll(fd, bytes.data(), bytes.size())) {
    error = errno;
  }
  // A file that is replaced keeps its permissions.
  if (error == 0 && oldMode >= 0 && ::fchmod(fd, static_cast<mode_t>(oldMode)) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::renameat(dirFd, temp.c_str(), dirFd, name.c_str()) != 0) error = errno;
  if (error != 0) ::unlinkat(dirFd, temp.c_str(), 0);
  ::close(dirFd);
  return error;
}

}  // namespace

fs::path SaveTarget(const fs::path& path) { return ResolveLinks(path).path; }

int SaveRefusal(const fs::path& path) {
  const Resolved resolved = ResolveLinks(path);
  if (resolved.loop) return ELOOP;
  struct stat st {};
  const int looked = ::lstat(resolved.path.c_str(), &st) == 0 ? 0 : errno;
  return Refusal(looked, st.st_mode, resolved.links > 0);
}

std::string WriteErrorText(int error) {
  if (error == 0) return {};
  if (error == kNotARegularFile) return "Not a regular file";
  return std::strerror(error);
}

bool IsTemporaryFileName(std::string_view name) {
  if (name.size() < kTempSuffixLength + 1) return false;
  const std::string_view tail = name.substr(name.size() - kTempSuffixLength);
  if (tail[0] != '.' || tail.substr(13) != ".tmp") return false;
  for (size_t i = 1; i <= 12; ++i)
    if (!IsLowerHex(tail[i])) return false;
  return true;
}

int RemoveLeftOverTemporaryFiles(const fs::path& folder, fs::file_time_type before) {
  int removed = 0;
  std::error_code ec;
  auto it = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code e2;
    if (!IsTemporaryFileName(it->path().filename().string())) continue;
    if (!it->is_regular_file(e2) || it->is_symlink(e2)) continue;
    const auto changed = it->last_write_time(e2);
    if (e2 || changed >= before) continue;  // another program's save may be under way
    if (fs::remove(it->path(), e2)) ++removed;
  }
  return removed;
}

bool WriteFileAtomic(const fs::path& path, std::string_view bytes, int* error) {
  const int e = WriteAtomicImpl(path, bytes, static_cast<size_t>(-1));
  if (error) *error = e;
  return e == 0;
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
  error_ = 0;
  if (!dir.empty() && !fs::is_directory(dir, ec)) error_ = ENOENT;
  else if (fs::is_directory(path, ec)) error_ = EISDIR;
  if (error_ != 0) return false;
  target_ = path;
  buffer_.clear();
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
  if (!open_) {
    if (error_ == 0) error_ = EBADF;
    return false;
  }
  open_ = false;
  error_ = WriteAtomicImpl(target_, Utf8ToCp1252(buffer_), failAfter_);
  buffer_.clear();
  return error_ == 0;
}

void SeqWriter::Abandon() {
  open_ = false;
  buffer_.clear();
}

}  // namespace sw
