// kassivo options: listing, saving, reading back, and bad arguments.
#include "cli/options_command.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "support/cli_runner.h"

namespace kassivo::cli {
namespace {

using Result = CommandResult;

// Sets (or, with null, removes) one environment variable for a test.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_ ? old_->c_str() : nullptr); }

 private:
  void Set(const char* value) {
#ifdef _WIN32
    _putenv_s(name_, value ? value : "");
#else
    if (value) {
      setenv(name_, value, 1);
    } else {
      unsetenv(name_);
    }
#endif
  }
  const char* name_;
  std::optional<std::string> old_;
};

const std::string kFaultRows = "faults: off (default)\nfault-actions: off (default)\n";

TEST(OptionsCommand, ListsTheDefaultsAndRefusesBadArguments) {
  ScopedVariable strict("KASSIVO_STRICT", nullptr);
  ScopedVariable journal("KASSIVO_JOURNAL", nullptr);
  const Result listed = Kassivo({"options", "--store=memory"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out, "strict: off (default)\njournal: off (default)\n" + kFaultRows);

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"options", "--store=memory", "strict"},
           {"options", "--store=memory", "strict", "yes"},
           {"options", "--store=memory", "strict", "on", "now"},
           {"options", "--store=memory", "journal", ""},
           {"options", "--store=memory", "colour", "on"},
           {"options", "--tape=box"},
           {"options", "--store="},
       }) {
    const Result bad = Kassivo(args);
    EXPECT_EQ(bad.status, 2) << args.back();
    EXPECT_EQ(bad.out, "");
    EXPECT_TRUE(bad.err.starts_with("kassivo: ")) << bad.err;
    EXPECT_NE(bad.err.find("Usage:"), std::string::npos);
  }
}

#ifndef _WIN32
TEST(OptionsCommand, SavesBesideTheRegistrationFileAndShowsWhatOverridesIt) {
  ScopedVariable strict("KASSIVO_STRICT", nullptr);
  ScopedVariable journal("KASSIVO_JOURNAL", nullptr);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kassivo_options_" + std::to_string(::getpid()));
  const std::string store = "--store=" + (folder / "registration.json").string();

  Result saved = Kassivo({"options", store, "strict", "on"});
  EXPECT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out, "strict: on (store)\njournal: off (default)\n" + kFaultRows);
  EXPECT_TRUE(std::filesystem::exists(folder / "options.json"));
  EXPECT_FALSE(std::filesystem::exists(folder / "registration.json"));

  saved = Kassivo({"options", store, "journal", "journal.txt"});
  const std::string absolute = (std::filesystem::current_path() / "journal.txt").string();
  EXPECT_EQ(saved.out, "strict: on (store)\njournal: " + absolute + " (store)\n" + kFaultRows);

  {
    ScopedVariable off("KASSIVO_STRICT", "0");
    ScopedVariable none("KASSIVO_JOURNAL", "");
    EXPECT_EQ(Kassivo({"options", store}).out,
              "strict: off (environment)\njournal: off (environment)\n" + kFaultRows);
    saved = Kassivo({"options", store, "strict", "on"});
    EXPECT_EQ(saved.out, "strict: off (environment)\njournal: off (environment)\n" + kFaultRows +
                             "(saved; KASSIVO_STRICT overrides it in this environment)\n");
  }
  EXPECT_EQ(Kassivo({"options", store, "journal", "off"}).out,
            "strict: on (store)\njournal: off (store)\n" + kFaultRows);
  {
    ScopedVariable bad("KASSIVO_STRICT", "yes");
    EXPECT_EQ(Kassivo({"options", store}).out,
              "strict: on (store)\njournal: off (store)\n" + kFaultRows +
                  "(KASSIVO_STRICT=yes is ignored: it must be 1 or 0)\n");
  }

  // A store that cannot be written: a file where its folder should be.
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "blocked") << "x";
  const Result failed =
      Kassivo({"options", "--store=" + (folder / "blocked" / "r.json").string(), "strict", "on"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.out, "");
  EXPECT_EQ(failed.err, "kassivo: the options store cannot be written; nothing was saved\n");
  std::filesystem::remove_all(folder);
}

TEST(FaultsCommand, SavedFaultsReachTheProcessesStartedAfterwards) {
  ScopedVariable faults("KASSIVO_FAULTS", nullptr);
  ScopedVariable actions("KASSIVO_FAULT_ACTIONS", nullptr);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kassivo_faults_" + std::to_string(::getpid()));
  const std::string store = "--store=" + (folder / "registration.json").string();

  Result set = Kassivo({"faults", store, "set", "scale=weight:3,labels=out"});
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out,
            "faults: scale=weight:3,labels=out (store)\nfault-actions: off (default)\n"
            "(saved: host processes started from now on begin with these faults; a process "
            "already running keeps its own)\n");
  const Result weighed = Kassivo({"call", store, "GetWeight", "\"1\"", "0"});
  EXPECT_EQ(weighed.out, "> GetWeight \"1\" 0\n= true\n  [0] \"1\"\n  [1] 3.0\n");
  {
    ScopedVariable off("KASSIVO_FAULTS", "off");
    EXPECT_EQ(Kassivo({"faults", store}).out,
              "faults: none (environment: KASSIVO_FAULTS)\nfault-actions: off (default)\n");
    EXPECT_NE(Kassivo({"call", store, "GetWeight", "\"1\"", "0"}).out.find("= true"),
              std::string::npos);
  }
  EXPECT_EQ(Kassivo({"options", store, "fault-actions", "on"}).status, 0);
  EXPECT_EQ(Kassivo({"faults", store, "clear"}).out.substr(0, 47),
            "faults: none (store)\nfault-actions: on (store)\n");
  const Result bad = Kassivo({"faults", store, "set", "labels=gone"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(
      bad.err.starts_with("kassivo: faults set: Неверное значение неисправности: "
                          "labels=gone\n"))
      << bad.err;
  EXPECT_NE(Kassivo({"faults", "list"}).out.find("card=insufficient-funds[:once]\n"),
            std::string::npos);
  std::filesystem::remove_all(folder);
}
#endif

}  // namespace
}  // namespace kassivo::cli
