// The POSIX journal file: gathered appends in order, whatever their number
// and sizes, and a rename that replaces the older generation.
#include "platform/posix/posix_file_appender.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "platform/posix/temporary_directory.h"

namespace kassivo {
namespace {

TEST(PosixFileAppender, PiecesLandInOrderAndTheRenameReplacesTheOlderFile) {
  testing::TemporaryDirectory folder;
  const std::string path = folder / "journal.txt";
  testing::PutFile(path, "old;");
  PosixFileAppender files;
  std::u16string reason;
  auto file = files.Open(FromUtf8(path), reason);
  ASSERT_NE(file, nullptr) << ToUtf8(reason);
  EXPECT_EQ(file->Size(), 4u);

  // More pieces than one system call takes, empty ones among them, and a
  // piece of a megabyte.
  std::vector<std::string> texts;
  for (int i = 0; i < 150; ++i) texts.push_back(i % 3 == 0 ? "" : std::to_string(i) + ";");
  texts.push_back(std::string(1 << 20, 'm'));
  std::string expected = "old;";
  std::vector<std::string_view> pieces;
  for (const std::string& text : texts) {
    pieces.push_back(text);
    expected += text;
  }
  ASSERT_TRUE(file->AppendPieces(pieces, reason)) << ToUtf8(reason);
  EXPECT_EQ(file->Size(), expected.size());
  EXPECT_EQ(testing::FileText(path), expected);

  testing::PutFile(path + ".1", "older");
  file.reset();
  ASSERT_TRUE(files.Rename(FromUtf8(path), FromUtf8(path + ".1"), reason)) << ToUtf8(reason);
  EXPECT_EQ(testing::FileText(path + ".1"), expected);
  EXPECT_FALSE(testing::TemporaryDirectory::Exists(path));
  // Nothing to rename: the older file stays.
  EXPECT_FALSE(files.Rename(FromUtf8(path), FromUtf8(path + ".1"), reason));
  EXPECT_EQ(reason, u"папка не найдена");
  EXPECT_EQ(testing::FileText(path + ".1"), expected);
}

}  // namespace
}  // namespace kassivo
