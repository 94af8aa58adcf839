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

std::filesystem::path SessionPath(const std::string& session) {
  return std::filesystem::path(KASSIVO_TEST_DATA) / "sessions" / (session + ".session");
}

// The journal kassivo writes while it plays a golden session; `transcript`
// gets what it printed with `tape` (the session's own options given too).
std::string JournalOf(const std::string& session, const std::string& tape = "--tape=none",
                      std::string* transcript = nullptr) {
  const std::filesystem::path script = SessionPath(session);
  std::vector<std::string> args = {"run", "--store=memory", "--seed=7",
                                   "--clock=2024-03-05T09:07:04.056"};
  std::string first;
  std::getline(std::ifstream(script), first);
  if (first.starts_with("#! ")) {
    // Words split at blanks, as a shell would; "..." keeps blanks.
    std::string word;
    bool quoted = false, any = false;
    for (const char c : first.substr(3) + ' ') {
      if (c == '"') {
        quoted = !quoted;
        any = true;
      } else if (c == ' ' && !quoted) {
        if (any) args.push_back(word);
        word.clear();
        any = false;
      } else {
        word += c;
        any = true;
      }
    }
  }
  args.push_back(tape);
  args.push_back(script.string());
  const std::filesystem::path journal =
      std::filesystem::temp_directory_path() / ("kassivo-journal-" + session);
  std::filesystem::remove(journal);
  SetJournalVariable(journal.string());
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunKassivo(args, {in, out, err, false});
  SetJournalVariable("");
  EXPECT_EQ(status, 0) << err.str();
  if (transcript) *transcript = out.str();
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
  EXPECT_NE(report.out.find("  line " + std::to_string(line + 1) +
                            ", column 3:\n  - = false\n  + = true\n"),
            std::string::npos)
      << report.out;
  EXPECT_EQ(CountOf(report.out, ": ProcessCheck "), 1);
  EXPECT_NE(report.out.find(", 1 differ"), std::string::npos);

  // One character changed deep in the long output line: only that line,
  // cut to 200 characters around the change, which stays in sight.
  std::string deep = journal;
  const std::size_t output = deep.find("AmountWithDiscount=", deep.find("\n  [2] \"<?xml", call));
  deep.replace(output, 19, "AmountWithDiscounT=");
  const Result cut = Replay(deep, true);
  EXPECT_EQ(cut.status, 1);
  EXPECT_EQ(CountOf(cut.out, "\n  - "), 1) << cut.out;
  const std::size_t minus = cut.out.find("\n  - ");
  const std::string shown = cut.out.substr(minus + 5, cut.out.find('\n', minus + 1) - minus - 5);
  EXPECT_TRUE(shown.starts_with("...") && shown.ends_with("...")) << shown;
  EXPECT_NE(shown.find("AmountWithDiscounT="), std::string::npos);
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(), [](char c) { return (c & 0xC0) != 0x80; }),
            206);  // characters, the marks included

  // Without --compare the transcript is what kassivo run prints.
  const Result played = Replay(journal, false);
  EXPECT_EQ(played.status, 0);
  EXPECT_NE(played.out.find("> ProcessCheck "), std::string::npos);
}

TEST(JournalReplay, AFaultSessionReplaysCleanFromItsHeaderAndItsChanges) {
  for (const char* session : {"faults_card", "faults_scales_labels"}) {
    const Result clean = Replay(JournalOf(session), true);
    EXPECT_EQ(clean.status, 0) << session << clean.out << clean.err;
  }
  // The faults the process began with are in the header; without them the
  // first weighing answers otherwise.
  const std::string journal = JournalOf("faults_scales_labels");
  const std::size_t header = journal.find(":fault scale=weight:2\n");
  ASSERT_NE(header, std::string::npos);
  ASSERT_LT(header, journal.find("\nGetWeight "));
  EXPECT_NE(journal.find(":fault scale=unstable,labels=cover\n"), std::string::npos);
  std::string bare = journal;
  bare.erase(header, 22);
  EXPECT_NE(Replay(bare, true).out.find(", 1 differ"), std::string::npos);
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

// Gives the journal's process another id, as another host process would
// have written it.
std::string AsProcess(std::string journal, const std::string& id) {
  const std::size_t space = journal.find(' ', std::string(":process ").size());
  const std::string own = journal.substr(9, space - 9);
  for (const std::string prefix : {":process ", ":from ", ":continues "}) {
    for (std::size_t at = journal.find(prefix + own); at != std::string::npos;
         at = journal.find(prefix + own, at + 1)) {
      journal.replace(at + prefix.size(), own.size(), id);
    }
  }
  return journal;
}

// The journal's lines cut into its header and its blocks (each from ":from").
std::vector<std::string> Blocks(const std::string& journal) {
  std::vector<std::string> blocks;
  std::size_t begin = 0;
  for (std::size_t at = journal.find("\n:from "); at != std::string::npos;
       at = journal.find("\n:from ", at + 1)) {
    blocks.push_back(journal.substr(begin, at + 1 - begin));
    begin = at + 1;
  }
  blocks.push_back(journal.substr(begin));
  return blocks;
}

// Two host processes writing one journal: their blocks interleave, and each
// is still replayed in a process of its own, in the order of first calls.
TEST(JournalReplay, InterleavedProcessesReplayEachInItsOwnProcess) {
  const std::string first = AsProcess(JournalOf("docs_counters"), "101");
  const std::string second = AsProcess(JournalOf("check_in_a_row"), "202");
  const int calls = CountOf(first, "\n= ") + CountOf(second, "\n= ");
  for (const bool second_first : {false, true}) {
    const std::vector<std::string> a = Blocks(second_first ? second : first);
    const std::vector<std::string> b = Blocks(second_first ? first : second);
    std::string mixed;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
      if (i < a.size()) mixed += a[i];
      if (i < b.size()) mixed += b[i];
    }
    const Result result = Replay(mixed, true);
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("replay: " + std::to_string(calls) + " calls, 0 differ"),
              std::string::npos)
        << result.out;
    // Played process by process: the one whose call came first goes first.
    const Result played = Replay(mixed, false);
    const std::size_t counters = played.out.find("> GetCurrentStatus");
    const std::size_t check = played.out.find("> ProcessCheck");
    EXPECT_EQ(second_first, check < counters) << played.out.substr(0, 400);
  }
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
      // Cut: an element missing, a line without its line break.
      {header + call + "GetWeight \"x\" empty\n= true\n  [0] \"x\"\n",
       "j:8: журнал обрывается внутри вызова"},
      {header + call + "GetWeight \"x\" empty\n= tr", "j:9: журнал обрывается внутри вызова"},
      {header + ":from 7\n" + call, "j:4: process 7 began in an earlier file"},
      {header + ":" + huge + "\n", "j:4: unknown directive"},
  };
  for (const Case& c : cases) {
    for (const bool compare : {false, true}) {
      const Result result = Replay(c.journal, compare);
      EXPECT_EQ(result.status, 2) << c.error;
      EXPECT_TRUE(result.err.starts_with("kassivo: " + c.error)) << result.err.substr(0, 200);
      EXPECT_LT(result.err.size(), 300u) << c.error;
    }
  }
  // A 10 MB literal that is whole is just played.
  const Result big = Replay(header + ":random 123\nGetWeight \"" + huge +
                                "\" empty\n= true\n  [0] \"" + huge + "\"\n  [1] 1.23\n",
                            true);
  EXPECT_EQ(big.status, 0) << big.err << big.out.substr(0, 300);
  // A byte-order mark before the first line is read past.
  const Result marked = Replay("\xEF\xBB\xBF" + header + call, true);
  EXPECT_EQ(marked.out, Replay(header + call, true).out) << marked.err;
}

// The boxes (rows from ┌ to ┘) in a transcript, in order.
std::vector<std::string> Boxes(const std::string& text) {
  std::vector<std::string> boxes;
  std::istringstream in(text);
  std::string box;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("  ┌")) box.clear();
    box += line + '\n';
    if (line.starts_with("  └")) boxes.push_back(box);
  }
  return boxes;
}

// Every golden session: show draws exactly one receipt per document, as
// run --tape=box drew it after the document's last call; documents printed
// with the window hidden are drawn too.
TEST(JournalShow, EveryGoldenSessionShowsOneReceiptPerDocumentAsRunDrawsIt) {
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(KASSIVO_TEST_DATA) / "sessions")) {
    if (entry.path().extension() != ".session") continue;
    const std::string session = entry.path().stem().string();
    std::string transcript;
    const std::string journal = JournalOf(session, "--tape=box", &transcript);
    std::istringstream in(journal);
    std::ostringstream out, err;
    ASSERT_EQ(ShowJournal(in, "j", false, out, err), 0) << session << err.str();
    const std::vector<std::string> shown = Boxes(out.str());
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(CountOf(journal, "\n  D "))) << session;
    if (journal.find(" hidden\n") != std::string::npos) continue;
    // run drew a box after each call that printed; the journal says which
    // of those calls began a document. A document's receipt is the box of
    // its last call.
    const std::vector<std::string> drawn = Boxes(transcript);
    std::vector<bool> begins;
    for (std::size_t at = journal.find("\n# "); at != std::string::npos;) {
      const std::size_t next = journal.find("\n# ", at + 1);
      const std::string block = journal.substr(at, next == std::string::npos ? next : next - at);
      if (block.find("\n  B ") != std::string::npos) {
        begins.push_back(block.find("\n  D ") != std::string::npos);
      }
      at = next;
    }
    ASSERT_EQ(drawn.size(), begins.size()) << session;
    std::vector<std::string> documents;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      if (i + 1 == drawn.size() || begins[i + 1]) documents.push_back(drawn[i]);
    }
    std::size_t same = 0;
    while (same < shown.size() && same < documents.size() && shown[same] == documents[same]) ++same;
    EXPECT_TRUE(same == shown.size() && same == documents.size())
        << session << ": " << shown.size() << " shown, " << documents.size()
        << " drawn; first differing:\n"
        << (same < shown.size() ? shown[same] : "")
        << (same < documents.size() ? documents[same] : "");
  }
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
