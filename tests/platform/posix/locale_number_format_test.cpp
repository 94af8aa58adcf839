#include "platform/posix/locale_number_format.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace kassivo {
namespace {

EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
  return [variables = std::move(variables)](const char* name) -> const char* {
    const auto found = variables.find(name);
    return found == variables.end() ? nullptr : found->second.c_str();
  };
}

bool Installed(const char* name) {
  locale_t locale = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return false;
  freelocale(locale);
  return true;
}

// The locales these tests read. When the system lacks any of them, all are
// compiled once from the glibc locale sources into a private folder that
// LOCPATH then points to (glibc remembers a failed lookup, so the folder must
// be complete before the first lookup through it).
class PrivateLocales {
 public:
  PrivateLocales() {
    const std::pair<const char*, const char*> wanted[] = {
        {"de_DE", "UTF-8"}, {"ru_RU", "UTF-8"}, {"ru_RU", "KOI8-R"}};
    bool missing = false;
    for (const auto& [source, charmap] : wanted) {
      missing |= !Installed((std::string(source) + "." + charmap).c_str());
    }
    if (!missing) return;
    folder_ =
        std::filesystem::temp_directory_path() / ("kassivo-locales-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    for (const auto& [source, charmap] : wanted) {
      const std::string target = (folder_ / (std::string(source) + "." + charmap)).string();
      const std::string command = std::string("localedef -i ") + source + " -f " + charmap + " '" +
                                  target + "' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0 && !std::filesystem::exists(target)) return;
    }
    setenv("LOCPATH", folder_.c_str(), 1);
  }
  ~PrivateLocales() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::filesystem::path folder_;
};

bool Available(const char* name) {
  static PrivateLocales locales;
  return Installed(name);
}

TEST(NumericLocaleNameTest, FollowsThePosixOrderOfVariables) {
  EXPECT_EQ(NumericLocaleName(Environment(
                {{"LC_ALL", "de_DE.UTF-8"}, {"LC_NUMERIC", "ru_RU.UTF-8"}, {"LANG", "en_US"}})),
            "de_DE.UTF-8");
  EXPECT_EQ(NumericLocaleName(Environment({{"LC_ALL", "de_DE.UTF-8"}, {"LANG", "en_US"}})),
            "de_DE.UTF-8");
  EXPECT_EQ(NumericLocaleName(Environment({{"LC_NUMERIC", "ru_RU.UTF-8"}, {"LANG", "en_US"}})),
            "ru_RU.UTF-8");
  EXPECT_EQ(NumericLocaleName(Environment({{"LANG", "en_US"}})), "en_US");
  // An empty variable counts as unset.
  EXPECT_EQ(
      NumericLocaleName(Environment({{"LC_ALL", ""}, {"LC_NUMERIC", ""}, {"LANG", "ru_RU.UTF-8"}})),
      "ru_RU.UTF-8");
  EXPECT_EQ(NumericLocaleName(Environment({{"LC_ALL", ""}, {"LANG", ""}})), "C");
  EXPECT_EQ(NumericLocaleName(Environment({})), "C");
}

TEST(NumberFormatOfLocaleTest, PortableAndUnknownLocalesGiveTheDefault) {
  for (const char* name : {"C", "POSIX", "C.UTF-8", "C.utf8", "xx_YY.UTF-8", "", "../../etc"}) {
    const NumberFormat format = NumberFormatOfLocale(name);
    EXPECT_EQ(format.decimal_separator, u".") << name;
    EXPECT_EQ(format.thousands_separator, u",") << name;
  }
}

TEST(NumberFormatOfLocaleTest, German) {
  if (!Available("de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
  const NumberFormat format = NumberFormatOfLocale("de_DE.UTF-8");
  EXPECT_EQ(format.decimal_separator, u",");
  EXPECT_EQ(format.thousands_separator, u".");
}

TEST(NumberFormatOfLocaleTest, Russian) {
  if (!Available("ru_RU.UTF-8")) GTEST_SKIP() << "no ru_RU.UTF-8 locale";
  const NumberFormat format = NumberFormatOfLocale("ru_RU.UTF-8");
  EXPECT_EQ(format.decimal_separator, u",");
  // glibc has used both no-break spaces over the years.
  EXPECT_TRUE(format.thousands_separator == u"\u00A0" || format.thousands_separator == u"\u202F")
      << format.thousands_separator.size();
}

TEST(NumberFormatOfLocaleTest, SeparatorsOfAnEightBitCodesetAreConverted) {
  if (!Available("ru_RU.KOI8-R")) GTEST_SKIP() << "no ru_RU.KOI8-R locale";
  const NumberFormat format = NumberFormatOfLocale("ru_RU.KOI8-R");
  EXPECT_EQ(format.decimal_separator, u",");
  EXPECT_EQ(format.thousands_separator, u"\u00A0");  // byte 0x9A in KOI8-R
}

TEST(NumberFormatOfLocaleTest, DoesNotChangeTheProcessLocale) {
  const std::string before = setlocale(LC_NUMERIC, nullptr);
  NumberFormatOfLocale("de_DE.UTF-8");
  NumberFormatOfLocale("ru_RU.UTF-8");
  UserNumberFormat();
  EXPECT_EQ(setlocale(LC_NUMERIC, nullptr), before);
}

}  // namespace
}  // namespace kassivo
