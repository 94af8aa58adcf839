// The number format of the user's locale.
//
// The locale is named by the environment the way POSIX programs resolve the
// numeric category: LC_ALL when set and non-empty, else LC_NUMERIC, else
// LANG, else "C". The separators are looked up in that locale through
// newlocale / nl_langinfo_l (its numeric and character categories, the
// latter for the codeset the separators are written in), so the process's current locale (which
// belongs to the host) is never changed: setlocale is not called.
//
// Decisions:
//  - the "C" and "POSIX" locales (and "C.<codeset>") describe no regional
//    conventions, and their thousands separator is empty; they give the
//    default format, "." and ",", so money still shows grouped by three;
//  - a locale that is not installed (newlocale fails) gives "." and ",";
//  - any other locale gives exactly what it defines, an empty thousands
//    separator (no grouping) included; an empty decimal separator, which no
//    sane locale defines, falls back to ".";
//  - the separators are converted from the locale's codeset to UTF-16
//    (U+00A0 and U+202F survive); a separator that cannot be converted
//    falls back to the default.
#pragma once

#include <functional>
#include <string>

#include "common/number_format.h"

namespace kassivo {

// Looks up an environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// The name of the locale for numbers, from the environment.
std::string NumericLocaleName(const EnvironmentLookup& environment);

// The separators of the named locale, with the decisions above.
NumberFormat NumberFormatOfLocale(const std::string& locale_name);

// The separators of the user's locale, from the process environment.
NumberFormat UserNumberFormat();

}  // namespace kassivo
