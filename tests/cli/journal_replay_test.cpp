// kassivo replay and show over journals the driver wrote, and over hostile
// ones.
#include "cli/journal_replay.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "cli/journal_show.h"
#include "support/cli_runner.h"

namespace kassivo::cli {
namespace {

using Result = CommandResult;

Result Replay(const std::string& journal, bool compare) {
  std::istringstream in(journal);
  std::ostringstream out, err;
  const int status = ReplayJournal(in, "j", compare, out, err);
  return {status, out.str(), err.str()};
}

// Sets KASSIVO_JOURNAL; empty: removes it.
void SetJournalVariable(const std::string& value) {
#ifdef _WIN32
  _putenv_s("KASSIVO_JOURNAL", value.c_str());
#else
  if (value.empty()) {
    unsetenv("KASSIVO_JOURNAL");
  } else {
    setenv("KASSIVO_JOURNAL", value.c_str(), 1);
  }
#endif
}

// The journal kassivo writes while it plays a golden session.
std::string JournalOf(const std::string& session) {
  const std::filesystem::path script =
      std::filesystem::path(KASSIVO_TEST_DATA) / "sessions" / (session + ".session");
  const std::filesystem::path journal =
      std::filesystem::temp_directory_path() / ("kassivo-journal-" + session);
  std::filesystem::remove(journal);
  SetJournalVariable(journal.string());
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunKassivo(
      {"run", "--store=memory", "--seed=7", "--tape=none", script.string()}, {in, out, err, false});
  SetJournalVariable("");
  EXPECT_EQ(status, 0) << err.str();
  std::string text = ReadFileBytes(journal);
  std::filesystem::remove(journal);
  return text;
}

TEST(JournalReplay, AGoldenSessionReplaysCleanAndOneChangedAnswerIsReportedAlone) {
  const std::string journal = JournalOf("check_example");
  ASSERT_NE(journal.find("\nProcessCheck "), std::string::npos);
  const Result clean = Replay(journal, true);
  EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
  EXPECT_NE(clean.out.find(", 0 differ"), std::string::npos);
  EXPECT_EQ(clean.out.find("\n  - "), std::string::npos);

  // The answer of the ProcessCheck call changed: that call alone, by its line.
  std::string changed = journal;
  const std::size_t call = changed.find("\nProcessCheck ");
  const std::size_t answer = changed.find("\n= true\n", call);
  changed.replace(answer, 8, "\n= false\n");
  const int line = 2 + static_cast<int>(std::count(changed.begin(), changed.begin() + call, '\n'));
  const Result report = Replay(changed, true);
  EXPECT_EQ(report.status, 1);
  EXPECT_TRUE(report.out.starts_with(std::to_string(line) + ": ProcessCheck ")) << report.out;
  EXPECT_NE(report.out.find("  - = false\n  + = true\n"), std::string::npos) << report.out;
  EXPECT_EQ(CountOf(report.out, ": ProcessCheck "), 1);
  EXPECT_NE(report.out.find(", 1 differ"), std::string::npos);

  // Without --compare the transcript is what kassivo run prints.
  const Result played = Replay(journal, false);
  EXPECT_EQ(played.status, 0);
  EXPECT_NE(played.out.find("> ProcessCheck "), std::string::npos);
}

// Recorded by the 64-bit DLL under Wine in the COM end-to-end session (three
// host processes): the Windows build records, this build replays.
TEST(JournalReplay, AJournalTheWindowsDllRecordedReplaysCleanHere) {
  const std::string journal = ReadFileBytes(std::filesystem::path(KASSIVO_TEST_DATA) / "journal" /
                                            "fixtures" / "com_end_to_end_win64.journal");
  ASSERT_EQ(CountOf(journal, ":process\n"), 3);
  const Result result = Replay(journal, true);
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_NE(result.out.find("replay: 15 calls, 0 differ"), std::string::npos) << result.out;
}

TEST(JournalReplay, HostileJournalsGiveTheLineAndNeverCrash) {
  const std::string header = ":process\n# Kassivo journal\n:registration INN \"7700000000\"\n";
  const std::string call = "GetWeight \"x\" empty\n= true\n  [0] \"x\"\n  [1] 1.23\n";
  struct Case {
    std::string journal;
    std::string error;  // "NAME:LINE: words"
  };
  const std::string huge(10 << 20, 'a');
  const Case cases[] = {
      {header + call + "GetWeight \"x\" empty\n", "j:8: журнал обрывается внутри вызова"},
      {header + call + "GetWeight \"x", "j:8: "},
      {header + ":random 1000\n" + call, "j:4: :random needs a number from 0 to 999"},
      {header + ":clock 2024-02-30T00:00:00.000\n", "j:4: :clock needs a time"},
      {header + ":registration INN true\n", "j:4: :registration needs a text or an integer"},
      {header + "  [0] \"x\"\n", "j:4: a transcript line without a call"},
      {header + "PrintTextDocument \"1\" \"" + huge + "\n= true\n", "j:4: "},
  };
  for (const Case& c : cases) {
    for (const bool compare : {false, true}) {
      const Result result = Replay(c.journal, compare);
      EXPECT_EQ(result.status, 2) << c.error;
      EXPECT_TRUE(result.err.starts_with("kassivo: " + c.error)) << result.err.substr(0, 200);
    }
  }
  // A 10 MB literal that is whole is just played.
  const Result big = Replay(header + ":random 123\nGetWeight \"" + huge +
                                "\" empty\n= true\n  [0] \"" + huge + "\"\n  [1] 1.23\n",
                            true);
  EXPECT_EQ(big.status, 0) << big.err << big.out.substr(0, 300);
}

TEST(JournalShow, DrawsEachDocumentOnceWithoutReplaying) {
  const std::string journal = JournalOf("check_in_a_row");
  std::istringstream in(journal);
  std::ostringstream out, err;
  ASSERT_EQ(ShowJournal(in, "j", false, out, err), 0) << err.str();
  // One box per document: never more than the listings the journal holds
  // (a listing that repeats the one before it is the same document).
  const int listings = CountOf(journal, "\n  B \"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ\"");
  const int boxes = CountOf(out.str(), "┌");
  EXPECT_GT(boxes, 1);
  EXPECT_LE(boxes, listings);
  EXPECT_EQ(CountOf(out.str(), "┐"), boxes);
  EXPECT_EQ(MaskParserWording("\"Ошибка разбора XML: line 3, bad\" x"),
            "\"Ошибка разбора XML: ...\" x");
}

}  // namespace
}  // namespace kassivo::cli
