#include "platform/seqfile.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sw
