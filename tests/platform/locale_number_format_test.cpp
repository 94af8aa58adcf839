#include "platform/posix/locale_number_format.h"

#include <gtest/gtest.h>
#include <locale.h>

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
  if (!Installed("de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  const NumberFormat format = NumberFormatOfLocale("de_DE.UTF-8");
  EXPECT_EQ(format.decimal_separator, u",");
  EXPECT_EQ(format.thousands_separator, u".");
}

TEST(NumberFormatOfLocaleTest, Russian) {
  if (!Installed("ru_RU.UTF-8")) GTEST_SKIP() << "locale ru_RU.UTF-8 is not installed";
  const NumberFormat format = NumberFormatOfLocale("ru_RU.UTF-8");
  EXPECT_EQ(format.decimal_separator, u",");
  // glibc has used both no-break spaces over the years.
  EXPECT_TRUE(format.thousands_separator == u"\u00A0" || format.thousands_separator == u"\u202F")
      << format.thousands_separator.size();
}

TEST(NumberFormatOfLocaleTest, SeparatorsOfAnEightBitCodesetAreConverted) {
  if (!Installed("ru_RU.KOI8-R")) GTEST_SKIP() << "locale ru_RU.KOI8-R is not installed";
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
