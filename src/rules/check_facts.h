// A check package as the strict-mode rules see it, read with the check
// reader's own readers (documents/check_package.h) from the package the
// check is then printed from.
//
// The header is read only from a parameters section named "Parameters", the
// positions only from a positions section named "Positions" (FiscalString
// items only; text lines and barcodes are no positions), the payments from
// the payments section when there is one. Beyond what the printed check
// reads, each position carries the presence of its price and amount, its
// MeasureOfQuantity, CalculationAgent and VATAmount (trimmed) and the
// VendorINN of its first VendorData child (trimmed). A reading failure
// throws DriverError, as the check reader does.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "documents/check_package.h"

namespace kassivo {

struct PositionFacts {
  FiscalString fiscal;
  bool has_price = false;   // PriceWithDiscount present and not blank
  bool has_amount = false;  // AmountWithDiscount present and not blank
  OptionalText measure_of_quantity;
  OptionalText calculation_agent;
  OptionalText vat_amount;
  OptionalText vendor_inn;
};

struct CheckFacts {
  bool electronic = false;
  bool correction = false;
  CheckParameters parameters;
  std::optional<std::int32_t> operation_type;  // none when absent
  std::optional<std::int32_t> taxation_system;
  std::vector<CorrectionData> corrections;
  std::vector<PositionFacts> positions;
  Payments payments;
  double total = 0;  // the positions' amounts
};

CheckFacts ReadCheckFacts(const CheckPackage& package, const NumberFormat& format, bool electronic,
                          bool correction);

}  // namespace kassivo
