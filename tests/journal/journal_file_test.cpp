// The journal's file as its writers share it: a failure part-way leaves the
// file ending after a whole call, and a journal deleted or moved away goes
// on in a new file at its path, which begins with a header.
#include "journal/journal_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>

#include "common/text.h"
#include "journal/call_journal.h"
#include "platform/host_platform.h"
#include "support/cli_runner.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::TestProcess;

// Files in memory, of which the next write fails after `budget` bytes (what
// went in stays until cut back).
struct FillingDisk : FileAppender {
  struct File : AppendedFile {
    File(std::string& text, std::size_t& budget) : text(text), budget(budget) {}
    bool Append(std::string_view bytes, std::u16string& reason) override {
      const std::size_t taken = std::min(bytes.size(), budget);
      text += bytes.substr(0, taken);
      budget -= taken;
      if (taken == bytes.size()) return true;
      reason = u"нет места на диске";
      return false;
    }
    std::uint64_t Size() const override { return text.size(); }
    bool Lock(std::u16string&) override { return true; }
    void Unlock() override {}
    bool IsAt(const std::u16string&) const override { return true; }
    bool Truncate(std::uint64_t size, std::u16string&) override {
      text.resize(size);
      return true;
    }
    std::string& text;
    std::size_t& budget;
  };
  std::unique_ptr<AppendedFile> Open(const std::u16string& path, std::u16string&) override {
    return std::make_unique<File>(files[path], budget);
  }
  bool Rename(const std::u16string&, const std::u16string&, std::u16string& reason) override {
    reason = u"нет прав на запись";
    return false;
  }
  std::map<std::u16string, std::string> files;
  std::size_t budget = SIZE_MAX;
};

TEST(JournalFile, ACallCutByAFullDiskIsTakenBackWhole) {
  TestProcess process;
  auto disk = std::make_unique<FillingDisk>();
  FillingDisk& files = *disk;
  process.state->platform().files = std::move(disk);
  process.state->Options.Journal = u"j.txt";
  auto component = process.NewComponent();
  ArgumentArray weight({Value::Text(u"W"), Value()});
  Call(*component, u"GetWeight", weight);
  const std::string whole = files.files[u"j.txt"];
  ASSERT_EQ(cli::CountOf(whole, "GetWeight \"W\""), 1) << whole;

  // The disk fills in the middle of the next call's lines.
  files.budget = 20;
  Call(*component, u"GetWeight", weight);
  EXPECT_EQ(files.files[u"j.txt"], whole);
  EXPECT_FALSE(process.journal->writing());
  ArgumentArray drawer({Value::Text(testing::OpenDevice(*component))});
  Call(*component, u"OpenCashDrawer", drawer);
  const std::vector<std::u16string> tape = testing::TapeTexts(*process.state);
  ASSERT_GT(tape.size(), 4u);
  EXPECT_EQ(tape[2], u"Журнал вызовов отключен: нет места  ");
  EXPECT_EQ(tape[3].substr(0, 9), u"на диске ");
}

TEST(JournalFile, AJournalDeletedOrMovedGoesOnInANewFileThatBeginsWithAHeader) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("kassivo-journal-moved-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / "j.txt";
  TestProcess process;
  process.state->platform().files = MakeHostPlatform({}).files;
  process.state->Options.Journal = path.u16string();
  auto component = process.NewComponent();
  auto weigh = [&](std::u16string id) {
    ArgumentArray weight({Value::Text(id), Value()});
    Call(*component, u"GetWeight", weight);
  };
  weigh(u"A");
  std::filesystem::rename(path, folder / "moved.txt");
  weigh(u"B");
#ifndef _WIN32  // a file open elsewhere keeps its name there until closed
  const std::string before_deletion = cli::ReadFileBytes(path);
  std::filesystem::remove(path);
  weigh(u"C");
#endif
  weigh(u"D");
  process.journal.reset();

  const std::string moved = cli::ReadFileBytes(folder / "moved.txt");
  EXPECT_EQ(cli::CountOf(moved, "GetWeight \"A\""), 1);
  EXPECT_EQ(cli::CountOf(moved, "GetWeight \"B\""), 0);
  std::string now = cli::ReadFileBytes(path);
#ifndef _WIN32
  EXPECT_EQ(cli::CountOf(before_deletion, "GetWeight \"B\""), 1);
  EXPECT_EQ(cli::CountOf(now, "GetWeight \"B\""), 0);
  EXPECT_EQ(cli::CountOf(now, "GetWeight \"C\""), 1);
#endif
  // The new file: a header that continues the process, with its object.
  EXPECT_TRUE(now.starts_with(":continues ")) << now;
  EXPECT_EQ(cli::CountOf(now, "# Kassivo "), 1);
  EXPECT_EQ(cli::CountOf(now, "\n:state object 1 "), 1);
  EXPECT_EQ(cli::CountOf(now, "GetWeight \"D\""), 1);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kassivo
