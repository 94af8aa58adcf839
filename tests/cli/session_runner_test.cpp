// Playing scripts: the transcript of calls, tapes, messages, component
// objects, and how script errors stop a run.
#include "cli/session_runner.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "testing/test_process.h"

namespace kassivo::cli {
namespace {

class Session {
 public:
  explicit Session(TapeMode mode = TapeMode::kEntries) {
    presenter_ = MakeTapePresenter(mode, false);
    runner_ =
        std::make_unique<SessionRunner>(*process_.state, *process_.messages, presenter_.get(), out);
  }

  int Play(const std::string& script) {
    std::istringstream in(script);
    FileLoader load = [this](const std::string& path) -> std::optional<std::string> {
      const auto found = files.find(path);
      return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    return RunScript(in, "t.session", load, *runner_, out, err);
  }

  std::map<std::string, std::string> files;
  std::ostringstream out;
  std::ostringstream err;

 private:
  testing::TestProcess process_{{.host_platform = true, .seed = 1}};
  std::unique_ptr<TapePresenter> presenter_;
  std::unique_ptr<SessionRunner> runner_;
};

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

TEST(SessionRunner, PrintsEchoResultAndEveryElement) {
  Session session;
  EXPECT_EQ(session.Play("# opening\n\n  Open   empty  \r\n#42 true\nGetLastError\n"), 0);
  EXPECT_EQ(session.out.str(),
            "> Open   empty\n"
            "= true\n"
            "  [0] \"1\"\n"
            "> #42 true\n"
            "= false S_FALSE\n"
            "  [0] true\n"
            "> GetLastError\n"
            "= 0\n");  // no element: the array is as long as the literals given
  EXPECT_EQ(session.err.str(), "");
}

TEST(SessionRunner, ShowsTheTapeOnlyAfterCallsThatPrint) {
  Session session;
  EXPECT_EQ(session.Play("Open empty\n"
                         "OperationFN \"1\" 2 \"<Other/>\"\n"
                         "GetLineLength \"1\" empty\n"
                         "SetParameter \"WindowShowType\" 0\n"
                         "OperationFN \"1\" 2 \"<Other/>\"\n"),
            0);
  const std::string out = session.out.str();
  EXPECT_EQ(Count(out, "  B "), 1u);
  const std::string tape =
      "  B \"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ\"\n"
      "  L \" ФФД 1.2\"\n"
      "  L \"====================================\"\n"
      "  L \"ОПЕРАЦИЯ C ФИСКАЛЬНЫМ НАКОПИТЕЛЕМ\"\n"
      "  L \"====================================\"\n"
      "> GetLineLength \"1\" empty\n";
  EXPECT_NE(out.find("  [2] \"<Other/>\"\n" + tape), std::string::npos) << out;
}

TEST(SessionRunner, NoTapeModeShowsNoTape) {
  Session session(TapeMode::kNone);
  EXPECT_EQ(session.Play("Open empty\nOperationFN \"1\" 2 \"<Other/>\"\n"), 0);
  EXPECT_EQ(Count(session.out.str(), "ОПЕРАЦИЯ"), 0u);
}

TEST(SessionRunner, MessagesFollowTheElements) {
  Session session;
  EXPECT_EQ(session.Play("PrintLabels \"7\" \"Этикетка\\r№1\" empty\nInitializePrinter\n"), 0);
  EXPECT_EQ(session.out.str(),
            "> PrintLabels \"7\" \"Этикетка\\r№1\" empty\n"
            "= true\n"
            "  [0] \"7\"\n"
            "  [1] \"Этикетка\\r№1\"\n"
            "  [2] empty\n"
            "  M \"Этикетка\\r№1\"\n"
            "> InitializePrinter\n"
            "= true\n"
            "  M \"InitializePrinter\"\n");
}

TEST(SessionRunner, ComponentObjectsAreNumberedAndCreatedOnFirstUse) {
  Session session;
  EXPECT_EQ(session.Play("Open empty\n"
                         ":object 2\nOpen empty\nOpen empty\n"
                         ":object 1\nOpen empty\n"
                         ":done\nOpen empty\n"
                         ":init\nOpen empty\n"),
            0);
  std::string ids;
  std::istringstream lines(session.out.str());
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("  [0] ")) ids += line.substr(6) + " ";
  }
  EXPECT_EQ(ids, "\"1\" \"1\" \"2\" \"2\" \"\" \"1\" ");
}

TEST(SessionRunner, FindPrintsTheNumberOrMinusOne) {
  Session session;
  EXPECT_EQ(session.Play(":find Подключить\n:find \" Open\"\n"), 0);
  EXPECT_EQ(session.out.str(), "> :find Подключить\n= 5\n> :find \" Open\"\n= -1 S_FALSE\n");
}

TEST(SessionRunner, ArgumentsFromFiles) {
  Session session;
  session.files["label.txt"] = "Молоко\n";
  EXPECT_EQ(session.Play("PrintLabels \"1\" @label.txt\n"), 0);
  EXPECT_NE(session.out.str().find("  M \"Молоко\\n\"\n"), std::string::npos);
}

TEST(SessionRunner, AScriptErrorStopsTheRunAndNamesTheLine) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"Open empty\n\nOpn empty\nOpen empty\n", "t.session:3: unknown method 'Opn'"},
      {"Open empty\nOpen 2147483648\n", "t.session:2: integer '2147483648' does not fit"},
      {"# x\nPrintLabels \"1\" @missing.txt\n", "t.session:2: cannot read file 'missing.txt'"},
      {"Open \"abc\n", "t.session:1: unterminated text literal"},
      {"Open empty\n:quit\n", "t.session:2: unknown directive ':quit'"},
      {"#!ignored\n#!not a comment here\n", "t.session:2: bad method reference '#!not'"},
  };
  for (const Case& c : cases) {
    Session session;
    EXPECT_EQ(session.Play(c.script), kExitScriptError) << c.script;
    EXPECT_TRUE(session.err.str().starts_with(std::string("kassivo: ") + c.error))
        << session.err.str();
    EXPECT_EQ(Count(session.out.str(), "> "),
              std::string(c.script).starts_with("Open empty") ? 1u : 0u)
        << c.script;
  }
}

}  // namespace
}  // namespace kassivo::cli
