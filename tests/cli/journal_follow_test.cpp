// kassivo show --follow over a journal written in steps while it is
// followed: its receipts are those show draws of the whole.
#include "cli/journal_follow.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "cli/journal_show.h"
#include "support/cli_runner.h"

namespace kassivo::cli {
namespace {

namespace fs = std::filesystem;

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  if (value.empty()) {
    unsetenv(name);
  } else {
    setenv(name, value.c_str(), 1);
  }
#endif
}

// The journal of the built-in day, rotated after `limit` bytes (0: never);
// `older` gets the rotated file's text.
std::string DayJournal(const fs::path& folder, std::uint64_t limit, std::string* older = nullptr) {
  const fs::path journal = folder / "day.journal";
  fs::remove(journal);
  fs::remove(folder / "day.journal.1");
  SetVariable("KASSIVO_JOURNAL", journal.string());
  SetVariable("KASSIVO_JOURNAL_LIMIT", limit == 0 ? "" : std::to_string(limit));
  const CommandResult day =
      Kassivo({"demo", "--tape=none", "--seed=7", "--clock=2024-03-05T09:07:04.056"});
  SetVariable("KASSIVO_JOURNAL", "");
  SetVariable("KASSIVO_JOURNAL_LIMIT", "");
  EXPECT_EQ(day.status, 0) << day.err;
  if (older) *older = ReadFileBytes(folder / "day.journal.1");
  return ReadFileBytes(journal);
}

std::string Show(const std::vector<std::string>& texts) {
  std::vector<std::istringstream> streams(texts.begin(), texts.end());
  std::vector<JournalSource> sources;
  for (std::istringstream& stream : streams) sources.push_back({"j", &stream});
  std::ostringstream out, err;
  EXPECT_EQ(ShowJournals(sources, false, out, err), 0) << err.str();
  return out.str();
}

void Append(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

// Steps that write `text` to `path` in pieces of `piece` bytes, which cut
// lines (and their letters) in two.
void AppendInPieces(std::deque<std::function<void()>>& steps, const fs::path& path,
                    const std::string& text, std::size_t piece) {
  for (std::size_t at = 0; at < text.size(); at += piece) {
    steps.push_back([=] { Append(path, std::string_view(text).substr(at, piece)); });
  }
}

TEST(JournalFollow, DrawsWhatShowDrawsOfTheWholeAcrossRotationAndTruncation) {
  const fs::path folder = fs::temp_directory_path() / "kassivo-follow-test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  // Two processes on one journal, the file rotated between them; then the
  // file emptied and a third process writing it again.
  const std::string whole = DayJournal(folder, 0);
  std::string older;
  const std::string newer = DayJournal(folder, whole.size() * 3 / 5, &older);
  ASSERT_FALSE(older.empty());
  ASSERT_NE(newer.find(":continues "), std::string::npos);
  const std::string second = DayJournal(folder, 0);
  const std::string third = DayJournal(folder, 0);

  const fs::path followed = folder / "followed.journal";
  std::deque<std::function<void()>> steps;
  steps.push_back([] {});  // a look while the journal does not exist
  AppendInPieces(steps, followed, whole, 4093);
  AppendInPieces(steps, followed, older, 777);
  steps.push_back([=] { fs::rename(followed, fs::path(followed) += ".1"); });
  AppendInPieces(steps, followed, newer, 5000);
  steps.push_back([=] { Append(followed, second); });
  steps.push_back([=] { fs::resize_file(followed, 0); });
  steps.push_back([=] { Append(followed, third); });
  std::ostringstream out, err;
  const int status = FollowJournal(
      followed.string(), false,
      [&] {
        if (steps.empty()) return false;
        steps.front()();
        steps.pop_front();
        return true;
      },
      out, err);
  EXPECT_EQ(status, 0) << err.str();
  EXPECT_NE(err.str().find("waiting for"), std::string::npos);
  const std::string expected = Show({whole}) + Show({older, newer + second}) + Show({third});
  EXPECT_GT(CountOf(expected, "┌"), 20);
  EXPECT_EQ(out.str(), expected);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace kassivo::cli
