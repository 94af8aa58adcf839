// The POSIX journal file: gathered appends in order, whatever their number
// and sizes, and a rename that replaces the older generation; only a
// regular file, opened without waiting; past the file size limit no signal;
// two processes rotating one journal lose nothing.
#include "platform/posix/posix_file_appender.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/journal_replay.h"
#include "common/text.h"
#include "journal/call_journal.h"
#include "platform/posix/temporary_directory.h"
#include "support/cli_runner.h"
#include "support/test_platform.h"

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

using testing::Call;
using testing::TestProcess;

// A process journalling to `path` with the system's files.
std::unique_ptr<TestProcess> Journalling(const std::string& path) {
  auto process = std::make_unique<TestProcess>();
  process->state->platform().files = std::make_unique<PosixFileAppender>();
  process->state->Options.Journal = FromUtf8(path);
  return process;
}

void Weigh(DriverComponent& component, const std::string& id) {
  ArgumentArray weight({Value::Text(FromUtf8(id)), Value()});
  Call(component, u"GetWeight", weight);
}

// The journal's notice in the first document, its lines trimmed and joined
// by spaces; each line checked to fill the width.
std::u16string NoticeOnTape(TestProcess& process, DriverComponent& component) {
  ArgumentArray drawer({Value::Text(testing::OpenDevice(component))});
  Call(component, u"OpenCashDrawer", drawer);
  const std::vector<std::u16string> tape = testing::TapeTexts(*process.state);
  std::u16string joined;
  for (std::size_t i = 2; i < tape.size() && !tape[i].starts_with(u"="); ++i) {
    EXPECT_EQ(tape[i].size(), static_cast<std::size_t>(process.state->Settings.Size));
    const std::u16string line = tape[i].substr(0, tape[i].find_last_not_of(u' ') + 1);
    joined += (joined.empty() ? u"" : u" ") + line;
  }
  return joined;
}

// Runs `body` in a child process: its exit status, or minus the signal that
// ended it.
int InChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

TEST(PosixFileAppender, OnlyARegularFileIsAJournalAndOpeningNeverWaits) {
  testing::TemporaryDirectory folder;
  const std::string fifo = folder / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  PosixFileAppender files;
  std::u16string reason;
  EXPECT_EQ(files.Open(FromUtf8(fifo), reason), nullptr);  // no reader
  EXPECT_EQ(reason, u"это не обычный файл");
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  EXPECT_EQ(files.Open(FromUtf8(fifo), reason), nullptr);
  EXPECT_EQ(reason, u"это не обычный файл");
  ::close(reader);

  // Through the journal: the notice names the reason, over whole words.
  for (const auto& [path, notice] :
       {std::pair{folder.path(), u"это папка"}, std::pair{fifo, u"это не обычный файл"}}) {
    for (const int width : {24, 32, 36, 48}) {
      auto process = Journalling(path);
      process->state->Settings.Size = width;
      auto component = process->NewComponent();
      EXPECT_FALSE(process->journal->writing());
      EXPECT_EQ(NoticeOnTape(*process, *component), std::u16string(kJournalOffNotice) + notice)
          << width;
    }
  }
}

TEST(PosixFileAppender, PastTheFileSizeLimitTheJournalRotatesOrStopsAndTheHostLives) {
  testing::TemporaryDirectory folder;
  const std::string path = folder / "j.txt";
  constexpr rlim_t kLimit = 4096;
  const int status = InChild([&] {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = kLimit;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
    // A write past it fails, and the signal it raised never arrives.
    PosixFileAppender files;
    std::u16string reason;
    auto file = files.Open(FromUtf8(folder / "direct.txt"), reason);
    if (!file || file->Append(std::string(kLimit + 1, 'x'), reason)) return 1;
    if (reason != u"превышен предел размера файла") return 2;
    sigset_t pending;
    ::sigpending(&pending);
    if (sigismember(&pending, SIGXFSZ)) return 3;
    // Calls that pass it: the journal rotates before a write would.
    auto process = Journalling(path);
    auto component = process->NewComponent();
    for (int i = 0; i < 60; ++i) Weigh(*component, "W" + std::to_string(i));
    if (!process->journal->writing()) return 4;
    if (std::filesystem::file_size(path) > kLimit ||
        std::filesystem::file_size(path + ".1") > kLimit)
      return 5;
    if (cli::CountOf(cli::ReadFileBytes(path), "GetWeight \"W59\"") != 1) return 6;
    // A call whose lines no file could take: the journal stops, and says so.
    Weigh(*component, std::string(kLimit, 'w'));
    if (process->journal->writing()) return 7;
    const std::u16string notice = NoticeOnTape(*process, *component);
    return notice == u"Журнал вызовов отключен: превышен предел размера файла" ? 0 : 8;
  });
  EXPECT_EQ(status, 0);
}

TEST(PosixFileAppender, TwoProcessesRotatingOneJournalLoseNoCall) {
  testing::TemporaryDirectory folder;
  const std::string path = folder / "j.txt";
  constexpr int kCalls = 1000;
  const auto play = [&](const std::string& who, std::uint64_t limit) {
    auto process = Journalling(path);
    if (limit > 0) {
      process->state->platform().environment =
          [limit](const char* name) -> std::optional<std::u16string> {
        if (std::strcmp(name, kJournalLimitVariable) != 0) return std::nullopt;
        return FromUtf8(std::to_string(limit));
      };
    }
    auto component = process->NewComponent();
    for (int i = 0; i < kCalls; ++i) Weigh(*component, who + std::to_string(i));
    return process->journal->writing() ? 0 : 1;
  };
  // What both write, one after the other, without a limit; with a limit of
  // three fifths of that the journal rotates once (FILE.1 keeps one older
  // file only).
  play("A", 0);
  play("B", 0);
  const std::uint64_t limit = std::filesystem::file_size(path) * 3 / 5;
  std::filesystem::remove(path);

  const pid_t first = ::fork();
  if (first == 0) ::_exit(play("A", limit));
  const int second = InChild([&] { return play("B", limit); });
  int status = 0;
  ::waitpid(first, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  ASSERT_EQ(second, 0);

  const std::string older = cli::ReadFileBytes(path + ".1");
  const std::string text = older + cli::ReadFileBytes(path);
  EXPECT_GE(older.size(), limit);
  for (const char* who : {"A", "B"}) {
    for (int i = 0; i < kCalls; ++i) {
      ASSERT_EQ(cli::CountOf(text, "GetWeight \"" + std::string(who) + std::to_string(i) + "\" "),
                1)
          << who << i;
    }
  }
  // Every header whole, on lines of its own; ":process" once for each.
  EXPECT_EQ(cli::CountOf(text, ":process "), 2);
  std::size_t headers = 0;
  for (std::size_t at = text.find("# Kassivo "); at != std::string::npos;
       at = text.find("# Kassivo ", at + 1)) {
    ++headers;
    EXPECT_TRUE(at == 0 || text[at - 1] == '\n') << at;
    EXPECT_EQ(text.compare(text.find('\n', at) + 1, 15, ":number-format "), 0) << at;
  }
  EXPECT_GE(headers, 3u);
  // And the two files replay clean, each process in its own.
  std::ifstream first_file(path + ".1", std::ios::binary), second_file(path, std::ios::binary);
  std::ostringstream out, err;
  EXPECT_EQ(
      cli::ReplayJournals({{"j.txt.1", &first_file}, {"j.txt", &second_file}}, true, out, err), 0)
      << out.str() << err.str();
  EXPECT_NE(out.str().find("replay: 2000 calls, 0 differ"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace kassivo
