// The kassivo command line: commands, options, exit statuses.
#include "cli/commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/cli_runner.h"

namespace kassivo::cli {
namespace {

using Result = CommandResult;

const std::vector<std::string> kFixed = {"--store=memory", "--clock=2024-03-05T09:07:04.056",
                                         "--seed=1", "--decimal=.", "--thousands=,"};

std::vector<std::string> With(std::vector<std::string> head, std::vector<std::string> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(Commands, CallPlaysOneCall) {
  const Result open = Kassivo({"call", "--store=memory", "Open", "empty"});
  EXPECT_EQ(open.status, 0);
  EXPECT_EQ(open.out, "> Open empty\n= true\n  [0] \"1\"\n");

  const Result labels = Kassivo({"call", "--store=memory", "#41", "\"1\"", "\"a b\""});
  EXPECT_EQ(labels.out, "> #41 \"1\" \"a b\"\n= true\n  [0] \"1\"\n  [1] \"a b\"\n  M \"a b\"\n");

  const Result bad = Kassivo({"call", "--store=memory", "Open", "1 2"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("bad literal '1 2'"), std::string::npos) << bad.err;
}

TEST(Commands, RunReadsAScriptWithFilesBesideIt) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kassivo_cli_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "data");
  std::ofstream(folder / "data" / "label.txt") << "Сыр";
  std::ofstream(folder / "day.session") << "#! --tape=none\nPrintLabels \"1\" @data/label.txt\n";

  const Result run = Kassivo(With({"run"}, With(kFixed, {(folder / "day.session").string()})));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "> PrintLabels \"1\" @data/label.txt\n= true\n  [0] \"1\"\n  [1] \"Сыр\"\n"
            "  M \"Сыр\"\n");
  std::filesystem::remove_all(folder);
}

TEST(Commands, RunReadsStdin) {
  const Result run = Kassivo(With({"run"}, With(kFixed, {"-"})), "GetWeight \"\" empty\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.starts_with("> GetWeight \"\" empty\n= true\n  [0] \"\"\n  [1] "));
}

TEST(Commands, RunStrictRefusesForThisRunOnly) {
  const std::string script = "Open empty\nCloseShift \"1\" \"\" empty\n";
  const Result strict = Kassivo(With({"run", "--strict"}, With(kFixed, {"-"})), script);
  EXPECT_EQ(strict.status, 0);
  EXPECT_NE(strict.out.find("> CloseShift \"1\" \"\" empty\n= false\n"), std::string::npos);
  EXPECT_NE(strict.out.find("ОТКАЗ ККТ"), std::string::npos);
  const Result plain = Kassivo(With({"run"}, With(kFixed, {"-"})), script);
  EXPECT_NE(plain.out.find("> CloseShift \"1\" \"\" empty\n= true\n"), std::string::npos);
}

TEST(Commands, RunFaultsForThisRunAndFromTheScript) {
  const std::string script =
      "GetWeight \"1\" 0\n:fault scale=zero\nGetWeight \"1\" 0\n"
      ":fault scale=heavy\nGetWeight \"1\" 0\n";
  const Result run =
      Kassivo(With({"run", "--faults=scale=weight:2.5"}, With(kFixed, {"-"})), script);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out,
            "> GetWeight \"1\" 0\n= true\n  [0] \"1\"\n  [1] 2.5\n"
            "> GetWeight \"1\" 0\n= true\n  [0] \"1\"\n  [1] 0.0\n");
  EXPECT_EQ(run.err, "kassivo: stdin:4: :fault: Неверное значение неисправности: scale=heavy\n");
  const Result bad = Kassivo(With({"run", "--faults=paper=out,ink=low"}, With(kFixed, {"-"})), "");
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.err.starts_with("kassivo: --faults: Неизвестная неисправность: ink=low\n"))
      << bad.err;
}

TEST(Commands, UsageErrorsExitWithTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"play"},
           {"run"},
           {"run", "--tape=fancy", "-"},
           {"run", "--clock=2024-02-30T00:00:00.000", "-"},
           {"run", "--clock=2024-03-05 09:07:04", "-"},
           {"run", "--seed=-1", "-"},
           {"run", "--seed=4294967296", "-"},
           {"run", "--decimal=", "-"},
           {"run", "--decimal=ab", "-"},
           {"run", "--store=", "-"},
           {"run", "--colour", "-"},
           {"run", "-", "extra"},
           {"run", "/nonexistent/kassivo.session"},
           {"call"},
           {"call", "Opn"},
           {"demo", "--store=/tmp/x.json"},
           {"methods", "all"},
       }) {
    const Result result = Kassivo(args);
    EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
    EXPECT_NE(result.err, "") << testing::PrintToString(args);
  }
  EXPECT_EQ(Kassivo({"run", "--clock=2024-02-29T23:59:59.999", "--store=memory", "-"}).status, 0);
  EXPECT_EQ(Kassivo({"run", "--thousands=", "--decimal=,", "--store=memory", "-"}).status, 0);
}

TEST(Commands, DemoPlaysTheWholeDayWithoutAScriptError) {
  const Result demo = Kassivo({"demo", "--clock=2024-03-05T09:07:04.056", "--seed=1"});
  EXPECT_EQ(demo.status, 0);
  EXPECT_EQ(demo.err, "");
  for (const char* call :
       {"> OperationFN ", "> OpenShift ", "> RequestKM ", "> ConfirmKM ", "> ProcessCheck ",
        "> PayByPaymentCard ", "> CashInOutcome ", "> PrintXReport ", "> CloseShift "}) {
    EXPECT_NE(demo.out.find(call), std::string::npos) << call;
  }
  EXPECT_NE(demo.out.find("  ┌"), std::string::npos);  // drawn as receipts
  // The day shows the driver working: no step of it fails but the check the
  // strict-mode scene has refused, and the mended one is formed; then the
  // faults scene, whose card payment is declined.
  const std::size_t refused = demo.out.find("\n= false");
  const std::size_t faults = demo.out.find(
      "> ProcessCheck \"1\" false \"<CheckPackage>"
      "<Parameters CashierName='Иванова Анна Петровна' "
      "OperationType='1' TaxationSystem='0'/><Positions>"
      "<FiscalString Name='Вода");
  ASSERT_NE(refused, std::string::npos);
  ASSERT_NE(faults, std::string::npos);
  EXPECT_GT(demo.out.find("\n= false", refused + 1), faults);
  const std::size_t card = demo.out.find("> PayByPaymentCard \"1\" \"\" 310.0", faults);
  EXPECT_EQ(demo.out.find("\n= ", card), demo.out.find("\n= false", card));
  EXPECT_NE(demo.out.find("Недостаточно средств на карте.", card), std::string::npos);
  EXPECT_NE(demo.out.find("ОТКАЗ ККТ", refused), std::string::npos);
  EXPECT_NE(demo.out.find("Смена не открыта.", refused), std::string::npos);
  EXPECT_NE(demo.out.find("> ProcessCheck ", refused), std::string::npos);
  EXPECT_EQ(demo.out.rfind("\n= true"), demo.out.rfind("\n= "));
  EXPECT_EQ(demo.out.find("S_FALSE"), std::string::npos);
}

TEST(Commands, MethodsHelpAndVersion) {
  const Result methods = Kassivo({"methods"});
  EXPECT_EQ(methods.status, 0);
  std::istringstream lines(methods.out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 43u);  // a heading and 42 rows
  EXPECT_TRUE(rows[25].starts_with(" 24  PayByPaymentCard ")) << rows[25];
  EXPECT_NE(rows[25].find(" ОплатитьПлатежнойКартой "), std::string::npos);
  EXPECT_TRUE(rows[25].ends_with(" 7"));
  EXPECT_TRUE(rows[33].ends_with(" 0"));  // PrintSlipOnTerminal

  EXPECT_EQ(Kassivo({"--version"}).out, "kassivo 4.0.5.1\n");
  const Result help = Kassivo({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("kassivo run"), std::string::npos);
}

}  // namespace
}  // namespace kassivo::cli
