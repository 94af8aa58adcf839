// A check package as the strict-mode rules see it, read with the check
// reader's own readers (documents/check_package.h) from the package the
// check is then printed from.
//
// ReadCheckFacts reads the header (only from a parameters section named
// "Parameters"), a correction's CorrectionData and the payments, and finds
// the positions section (only when named "Positions"). The positions (the
// FiscalString items; text lines and barcodes are no positions) are the
// FiscalStrings the check reader reads one at a time, each reviewed as it is
// read (strict_review.h). A reading failure throws DriverError, as the check
// reader does.
//
// The payments are read exactly (ReadExactValue), one ExactAttribute a kind
// in the order of ExactPayments' kinds; an absent payments section has every
// payment absent.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "package/check_package.h"

namespace kassivo {

struct ExactPayments {
  enum Kind { kCash, kElectronic, kPrePayment, kPostPayment, kBarter, kKinds };
  std::array<ExactAttribute, kKinds> by_kind;
};
ExactPayments ReadExactPayments(const XmlNode& element, const NumberFormat& format);

struct CheckFacts {
  bool electronic = false;
  bool correction = false;
  CheckParameters parameters;
  std::optional<std::int32_t> operation_type;  // none when absent
  std::optional<std::int32_t> taxation_system;
  std::vector<CorrectionData> corrections;
  const XmlNode* positions = nullptr;  // the positions section, when named so
  bool has_fiscal_strings = false;
  ExactPayments payments;
};

CheckFacts ReadCheckFacts(const CheckPackage& package, const NumberFormat& format, bool electronic,
                          bool correction);

}  // namespace kassivo
