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

TEST(OptionsCommand, ListsTheDefaultsAndRefusesBadArguments) {
  ScopedVariable strict("KASSIVO_STRICT", nullptr);
  ScopedVariable journal("KASSIVO_JOURNAL", nullptr);
  const Result listed = Kassivo({"options", "--store=memory"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out, "strict: off (default)\njournal: off (default)\n");

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
  EXPECT_EQ(saved.out, "strict: on (store)\njournal: off (default)\n");
  EXPECT_TRUE(std::filesystem::exists(folder / "options.json"));
  EXPECT_FALSE(std::filesystem::exists(folder / "registration.json"));

  saved = Kassivo({"options", store, "journal", "journal.txt"});
  const std::string absolute = (std::filesystem::current_path() / "journal.txt").string();
  EXPECT_EQ(saved.out, "strict: on (store)\njournal: " + absolute + " (store)\n");

  {
    ScopedVariable off("KASSIVO_STRICT", "0");
    ScopedVariable none("KASSIVO_JOURNAL", "");
    EXPECT_EQ(Kassivo({"options", store}).out,
              "strict: off (environment)\njournal: off (environment)\n");
    saved = Kassivo({"options", store, "strict", "on"});
    EXPECT_EQ(saved.out,
              "strict: off (environment)\njournal: off (environment)\n"
              "(saved; KASSIVO_STRICT overrides it in this environment)\n");
  }
  EXPECT_EQ(Kassivo({"options", store, "journal", "off"}).out,
            "strict: on (store)\njournal: off (store)\n");
  {
    ScopedVariable bad("KASSIVO_STRICT", "yes");
    EXPECT_EQ(Kassivo({"options", store}).out,
              "strict: on (store)\njournal: off (store)\n"
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
#endif

}  // namespace
}  // namespace kassivo::cli
