// The number format of the user's regional settings (the decimal and the
// thousands separator of the user's default locale, GetLocaleInfoEx).
//
// A setting that cannot be read gives the default ("." or ","); an empty
// decimal separator, which no sane setting holds, gives "."; an empty
// thousands separator is kept (no grouping), as the user chose it.
#pragma once

#include "common/number_format.h"

namespace kassivo {

NumberFormat RegionalNumberFormat();

}  // namespace kassivo
