#include "platform/seqfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "support/temp_folder.h"

namespace sw {
namespace {

TEST(SeqFile, LinesAndItemsRoundTrip) {
  TempFolder dir;
  auto path = dir.path() / "round.txt";
  {
    SeqWriter w(path);
    w.PrintLine("QVZ-ZKT*3.20");
    w.PrintLine(" 1.25");
    w.WriteLine({SeqWriter::Quoted("a, b"), SeqWriter::Number(500), SeqWriter::Number(-0.5)});
    w.PrintLine("");
    w.PrintLine("last");
    ASSERT_TRUE(w.Close());
  }
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "QVZ-ZKT*3.20\r\n 1.25\r\n\"a, b\",500,-.5\r\n\r\nlast\r\n");

  SeqReader r(path);
  ASSERT_TRUE(r.IsOpen());
  EXPECT_EQ(r.LineInput(), "QVZ-ZKT*3.20");
  EXPECT_EQ(r.InputNumber(), 1.25);
  EXPECT_EQ(r.InputItem(), "a, b");
  EXPECT_EQ(r.InputItem(), "500");
  EXPECT_EQ(r.InputNumber(), -0.5);
  EXPECT_EQ(r.InputItem(), "");
  EXPECT_EQ(r.LineInput(), "last");
  EXPECT_TRUE(r.Eof());
  EXPECT_FALSE(r.Ended());
  std::string more;
  EXPECT_FALSE(r.LineInput(more));
  EXPECT_TRUE(r.Ended());
  EXPECT_FALSE(r.InputItem(more));
}

TEST(SeqFile, CrLfLfAndCrReadAlike) {
  for (std::string nl : {"\r\n", "\n", "\r"}) {
    SeqReader r;
    r.OpenBytes("one" + nl + "two,3" + nl + nl + "four");
    EXPECT_EQ(r.LineInput(), "one") << nl.size();
    EXPECT_EQ(r.InputItem(), "two");
    EXPECT_EQ(r.InputItem(), "3");
    EXPECT_EQ(r.LineInput(), "");
    EXPECT_EQ(r.LineInput(), "four");
    EXPECT_TRUE(r.Eof());
  }
}

TEST(SeqFile, ShortAndBrokenFiles) {
  SeqReader r;
  r.OpenBytes("");
  EXPECT_TRUE(r.Eof());
  EXPECT_EQ(r.LineInput(), "");
  EXPECT_TRUE(r.Ended());

  r.OpenBytes("\"never closed, item");
  EXPECT_EQ(r.InputItem(), "never closed, item");
  EXPECT_TRUE(r.Eof());
  EXPECT_EQ(r.InputItem(), "");
  EXPECT_TRUE(r.Ended());

  r.OpenBytes("\"quoted\"junk,next\r\n");
  EXPECT_EQ(r.InputItem(), "quoted");
  EXPECT_EQ(r.InputItem(), "next");

  r.OpenBytes("   padded  ,x");
  EXPECT_EQ(r.InputItem(), "padded  ");

  SeqReader missing;
  EXPECT_FALSE(missing.Open("/nonexistent/folder/file.txt"));
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_TRUE(missing.Eof());
}

TEST(SeqFile, Windows1252OnDisk) {
  TempFolder dir;
  auto path = dir.path() / "w.txt";
  SeqWriter w(path);
  w.PrintLine("Caf\xC3\xA9");
  ASSERT_TRUE(w.Close());
  std::string bytes;
  ReadFileBytes(path, bytes);
  EXPECT_EQ(bytes, "Caf\xE9\r\n");
  SeqReader r(path);
  EXPECT_EQ(r.LineInput(), "Caf\xC3\xA9");
}

TEST(AtomicFile, FailedWriteLeavesOldFile) {
  TempFolder dir;
  auto path = dir.path() / "vehicle.ZKT";
  ASSERT_TRUE(WriteFileAtomic(path, "old contents\r\n"));
  {
    SeqWriter w(path);
    for (int i = 0; i < 1000; ++i) w.PrintLine("new line that will never land");
    w.FailAfterBytesForTest(100);
    EXPECT_FALSE(w.Close());
  }
  std::string bytes;
  ReadFileBytes(path, bytes);
  EXPECT_EQ(bytes, "old contents\r\n");
  {
    SeqWriter w(path);
    w.PrintLine("abandoned");
  }  // destroyed without Close
  ReadFileBytes(path, bytes);
  EXPECT_EQ(bytes, "old contents\r\n");
  // No temporary files are left behind.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
  EXPECT_EQ(files, 1);
  // A folder that does not exist cannot be written.
  SeqWriter bad;
  EXPECT_FALSE(bad.Open(dir.path() / "missing" / "x.txt"));
  EXPECT_FALSE(bad.Close());
}

// Every name a file may have can be saved: the temporary name beside it is
// cut to fit, and still reads as a temporary file.
TEST(AtomicFile, NamesUpToTheLongestSave) {
  TempFolder dir;
  for (size_t n : {1u, 200u, 238u, 239u, 250u, 255u}) {
    const std::string name(n, 'V');
    EXPECT_TRUE(WriteFileAtomic(dir.path() / name, "specs\r\n")) << n;
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(dir.path() / name, bytes) && bytes == "specs\r\n") << n;
  }
  // Three-byte characters are never cut in two.
  std::string wide;
  while (wide.size() + 3 <= 255) wide += "\xE2\x82\xAC";
  EXPECT_TRUE(WriteFileAtomic(dir.path() / wide, "x"));
  EXPECT_FALSE(WriteFileAtomic(dir.path() / std::string(256, 'V'), "x"));
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) {
    ++files;
    EXPECT_FALSE(IsTemporaryFileName(e.path().filename().string())) << e.path();
  }
  EXPECT_EQ(files, 7);
}

TEST(AtomicFile, TemporaryNames) {
  const std::pair<const char*, bool> cases[] = {
      {"CAR.00998cad5c5b.tmp", true}, {"x.0123456789ab.tmp", true},   {"CAR", false},
      {".00998cad5c5b.tmp", false} /* no name before it */,           {"CAR.00998CAD5C5B.tmp", false},
      {"CAR.00998cad5c5.tmp", false}, {"CAR.00998cad5c5bb.tmp", false},
      {"CAR.00998cad5c5b.TMP", false}, {"CAR.00998cad5c5g.tmp", false}, {"CAR.tmp", false}};
  for (auto [name, temp] : cases) EXPECT_EQ(IsTemporaryFileName(name), temp) << name;
}

// A save killed half-way leaves its temporary file; the next start removes
// it when it is older than that start, and leaves a newer one alone (another
// copy of the program may be saving).
TEST(AtomicFile, LeftOversOlderThanTheStartAreRemoved) {
  TempFolder dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir.path() / "VEHDAT" / "OLD");
  const fs::path old1 = dir.path() / "VEHDAT" / "CAR.00998cad5c5b.tmp";
  const fs::path old2 = dir.path() / "VEHDAT" / "OLD" / "T1.0123456789ab.tmp";
  const fs::path fresh = dir.path() / "qvzCNFG.ZKT.aaaaaaaaaaaa.tmp";
  const fs::path mine = dir.path() / "VEHDAT" / "CAR";
  for (const fs::path& p : {old1, old2, fresh, mine}) ASSERT_TRUE(WriteFileAtomic(p, "cut off"));
  const auto start = fs::file_time_type::clock::now();
  for (const fs::path& p : {old1, old2, mine}) fs::last_write_time(p, start - std::chrono::hours(1));
  fs::last_write_time(fresh, start + std::chrono::seconds(1));
  EXPECT_EQ(RemoveLeftOverTemporaryFiles(dir.path(), start), 2);
  EXPECT_FALSE(fs::exists(old1));
  EXPECT_FALSE(fs::exists(old2));
  EXPECT_TRUE(fs::exists(fresh));
  EXPECT_TRUE(fs::exists(mine));
  EXPECT_EQ(RemoveLeftOverTemporaryFiles(dir.path() / "missing", start), 0);
}

// Saving over a symbolic link writes the file it names: the link stays a
// link, and the file keeps its permissions.
TEST(AtomicFile, SavingThroughALinkKeepsTheLinkAndTheMode) {
  TempFolder dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir.path() / "elsewhere");
  const fs::path real = dir.path() / "elsewhere" / "GTO";
  const fs::path link = dir.path() / "GTO";
  ASSERT_TRUE(WriteFileAtomic(real, "old"));
  ::chmod(real.c_str(), 0640);
  fs::create_symlink("elsewhere/GTO", link);
  const fs::path chained = dir.path() / "CHAIN";
  fs::create_symlink(link, chained);
  for (const fs::path& via : {link, chained}) {
    ASSERT_TRUE(WriteFileAtomic(via, "new via " + via.filename().string()));
    EXPECT_TRUE(fs::is_symlink(link));
    std::string bytes;
    ReadFileBytes(real, bytes);
    EXPECT_EQ(bytes, "new via " + via.filename().string());
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
  }
  EXPECT_TRUE(fs::is_symlink(chained));
  EXPECT_EQ(SaveTarget(chained), dir.path() / "elsewhere" / "GTO");
}

}  // namespace
}  // namespace sw
