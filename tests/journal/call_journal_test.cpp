// The call journal as the driver writes it: faults never change an answer,
// rotation loses nothing, and concurrent calls never interleave their lines.
#include "journal/call_journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "cli/journal_replay.h"
#include "common/text.h"
#include "platform/host_platform.h"
#include "support/cli_runner.h"
#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::TestProcess;

// Files in memory; a path may be made to refuse opening or writing, and a
// write to fail after `write_budget` more bytes (what went in stays until
// cut back).
struct MemoryFiles : FileAppender {
  struct File : AppendedFile {
    File(MemoryFiles& owner, std::u16string path) : owner(owner), path(std::move(path)) {}
    bool Append(std::string_view bytes, std::u16string& reason) override {
      if (owner.refuse_writes || bytes.size() > owner.write_budget) {
        owner.files[path] += bytes.substr(0, owner.refuse_writes ? 0 : owner.write_budget);
        reason = u"нет места на диске";
        return false;
      }
      owner.write_budget -= bytes.size();
      owner.files[path] += bytes;
      return true;
    }
    std::uint64_t Size() const override { return owner.files[path].size(); }
    bool Lock(std::u16string&) override { return true; }
    void Unlock() override {}
    bool IsAt(const std::u16string&) const override { return true; }
    bool Truncate(std::uint64_t size, std::u16string&) override {
      owner.files[path].resize(size);
      return true;
    }
    MemoryFiles& owner;
    std::u16string path;
  };
  std::unique_ptr<AppendedFile> Open(const std::u16string& path, std::u16string& reason) override {
    if (read_only.contains(path)) {
      reason = u"нет прав на запись";
      return nullptr;
    }
    files[path];
    return std::make_unique<File>(*this, path);
  }
  bool Rename(const std::u16string& from, const std::u16string& to, std::u16string&) override {
    files[to] = std::move(files[from]);
    files.erase(from);
    return true;
  }
  std::map<std::u16string, std::string> files;
  std::set<std::u16string> read_only;
  bool refuse_writes = false;
  std::size_t write_budget = SIZE_MAX;
};

MemoryFiles& UseMemoryFiles(TestProcess& process) {
  auto files = std::make_unique<MemoryFiles>();
  MemoryFiles& kept = *files;
  process.state->platform().files = std::move(files);
  return kept;
}

// A short day: open, shift, a check; the answers and the tape after each.
std::vector<std::string> PlayDay(TestProcess& process) {
  auto component = process.NewComponent();
  std::vector<std::string> seen;
  auto note = [&](const Value& result, const ArgumentArray& args) {
    std::ostringstream line;
    line << ToUtf8(ToText(result, {}));
    for (const Value& value : args.values()) line << '|' << ToUtf8(ToText(value, {}));
    for (const std::u16string& text : testing::TapeTexts(*process.state))
      line << '/' << ToUtf8(text);
    seen.push_back(line.str());
  };
  const std::u16string id = testing::OpenDevice(*component);
  ArgumentArray shift(
      {Value::Text(id),
       Value::Text(u"<InputParameters><Parameters CashierName=\"А\"/></InputParameters>"),
       Value()});
  note(Call(*component, u"OpenShift", shift), shift);
  ArgumentArray weight({Value::Text(id), Value()});
  note(Call(*component, u"GetWeight", weight), weight);
  ArgumentArray status({Value::Text(id), Value::Text(u""), Value()});
  note(Call(*component, u"GetCurrentStatus", status), status);
  ArgumentArray close(
      {Value::Text(id),
       Value::Text(u"<InputParameters><Parameters CashierName=\"А\"/></InputParameters>"),
       Value()});
  note(Call(*component, u"CloseShift", close), close);
  return seen;
}

TEST(JournalFaults, AJournalThatCannotBeWrittenChangesNoAnswerAndSaysSoOnce) {
  TestProcess plain;
  const std::vector<std::string> expected = PlayDay(plain);
  const std::string notice = "Журнал вызовов отключен: ";

  // A folder that does not exist (the real file system), a read-only file,
  // and a disk that fills up after the header.
  for (int fault = 0; fault < 3; ++fault) {
    TestProcess process;
    MemoryFiles* files = nullptr;
    if (fault == 0) {
      process.state->Options.Journal =
          (std::filesystem::temp_directory_path() / "kassivo-no-such-folder" / "journal.txt")
              .u16string();
      process.state->platform().files = MakeHostPlatform({}).files;
    } else {
      files = &UseMemoryFiles(process);
      process.state->Options.Journal = u"journal.txt";
      if (fault == 1) files->read_only.insert(u"journal.txt");
    }
    if (fault == 2) {
      auto component = process.NewComponent();  // the header is written here
      files->refuse_writes = true;
    }
    const std::vector<std::string> seen = PlayDay(process);
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
      // The notice is the only difference, in the first document after it,
      // on the lines before the separator.
      std::string without = seen[i];
      const std::size_t at = without.find("/" + notice);
      if (at != std::string::npos) without.erase(at, without.find("/-", at + 1) - at);
      EXPECT_EQ(without, expected[i]) << "fault " << fault << ", call " << i;
    }
    // In the first document after the failure, and not in the next one.
    EXPECT_EQ(cli::CountOf(seen.front(), notice), 1) << "fault " << fault;
    EXPECT_EQ(cli::CountOf(seen.back(), notice), 0) << "fault " << fault;
    EXPECT_FALSE(process.journal->writing());
  }
}

TEST(JournalRotation, AFileAtTheLimitIsRenamedAndEveryCallKept) {
  TestProcess process;
  MemoryFiles& files = UseMemoryFiles(process);
  const std::string old(4096, 'x');
  files.files[u"j.txt"] = old;
  process.journal->set_size_limit(old.size());
  process.state->Options.Journal = u"j.txt";
  auto component = process.NewComponent();
  // Begun on a full file: the old one is kept whole, the new one has the header.
  EXPECT_EQ(files.files[u"j.txt.1"], old);
  EXPECT_TRUE(files.files[u"j.txt"].starts_with(":process 0 ")) << files.files[u"j.txt"];
  // A limit every call reaches: each call ends up, whole, in FILE.1 beside
  // the header of its file, and the new file begins with a header alone.
  process.journal->set_size_limit(1);
  for (int i = 0; i < 3; ++i) {
    ArgumentArray weight({Value::Text(u"W" + std::u16string(1, u'0' + i)), Value()});
    Call(*component, u"GetWeight", weight);
    const std::string& previous = files.files[u"j.txt.1"];
    EXPECT_EQ(cli::CountOf(previous, "GetWeight \"W" + std::to_string(i) + "\" empty\n= true\n"),
              1);
    EXPECT_EQ(cli::CountOf(previous, "# Kassivo "), 1);
    EXPECT_NE(previous.find(":object "), std::string::npos);
    const std::string& next = files.files[u"j.txt"];
    EXPECT_TRUE(next.starts_with(":continues 0 ")) << next;
    EXPECT_EQ(next.find(":from"), std::string::npos);
  }
}

TEST(JournalThreads, TwoObjectsOnTwoThreadsNeverInterleaveACallsLines) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("kassivo-journal-threads-" + std::to_string(getpid()));
  std::filesystem::remove(path);
  {
    TestProcess process;
    process.state->platform().files = MakeHostPlatform({}).files;
    process.state->Options.Journal = path.u16string();
    auto first = process.NewComponent();
    auto second = process.NewComponent();
    auto play = [](DriverComponent& component, std::u16string id) {
      for (int i = 0; i < 300; ++i) {
        ArgumentArray weight({Value::Text(id), Value()});
        Call(component, u"GetWeight", weight);
      }
    };
    std::thread a(play, std::ref(*first), u"A");
    std::thread b(play, std::ref(*second), u"B");
    a.join();
    b.join();
  }
  const std::string text = cli::ReadFileBytes(path);
  std::filesystem::remove(path);
  // Each record: comment naming the object, its random number, the call and
  // its answer, all of one object.
  std::istringstream lines(text);
  std::string line, object, expected_id;
  int records = 0;
  while (std::getline(lines, line)) {
    if (line.starts_with("# 20")) {
      object = line.substr(line.rfind(' ') + 1);
      ++records;
    } else if (line.starts_with("GetWeight ")) {
      expected_id = line.substr(10, 3);
      EXPECT_EQ(expected_id == "\"A\"" ? "1" : "2", object) << line;
    } else if (line.starts_with("  [0] ")) {
      EXPECT_EQ(line.substr(6), expected_id);
    }
  }
  EXPECT_EQ(records, 600);
  std::istringstream again(text);
  std::ostringstream out, err;
  EXPECT_EQ(cli::ReplayJournal(again, "threads", true, out, err), 0) << out.str() << err.str();
}

}  // namespace
}  // namespace kassivo
