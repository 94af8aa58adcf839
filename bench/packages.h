// Check packages for the benchmarks, shaped like a supermarket's: every
// fiscal string carries a marking code, a VAT rate and a discount, and the
// package ends with a payments section.
#pragma once

#include <cstdint>
#include <string>

#include "common/text.h"

namespace kassivo::bench {

inline std::u16string CheckPackageOf(std::int64_t positions) {
  std::u16string package =
      u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><CheckPackage><Parameters CashierName=\"Смирнова "
      u"А.В.\" CashierINN=\"771234567890\" OperationType=\"1\" TaxationSystem=\"1\" "
      u"SaleAddress=\"г. Тверь, ул. Советская, 5\" CustomerEmail=\"buyer@example.ru\"/>"
      u"<Positions>";
  for (std::int64_t i = 1; i <= positions; ++i) {
    package += u"<FiscalString Name=\"Молоко 3,2% 1 л №" + DecimalText(i) +
               u"\" Quantity=\"1.5\" PriceWithDiscount=\"99.90\" AmountWithDiscount=\"149.85\" "
               u"DiscountAmount=\"0.50\" VATRate=\"20\" PaymentMethod=\"4\" "
               u"CalculationSubject=\"33\" MeasureOfQuantity=\"0\" MarkingCode=\""
               u"MDEwNDYwNjIwMzA5ODE4NzIxNUdkbzdCHTkxRUUwNh05MmdQMFE4UW1yVTFKa3VoSnhKU0htaldLcEkz"
               u"c2dWdks0c0hJQVpna1R1MngwPQ==\" PlannedStatus=\"1\"/>";
  }
  package += u"</Positions><Payments Cash=\"" + DecimalText(positions * 150) +
             u"\" ElectronicPayment=\"0\" PrePayment=\"0\" PostPayment=\"0\" "
             u"Barter=\"0\"/></CheckPackage>";
  return package;
}

}  // namespace kassivo::bench
