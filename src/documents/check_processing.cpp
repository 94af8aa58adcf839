// ProcessCheck of the device: forms a check or a correction check.
//
// The check is counted before its package is looked at. The package is read
// and printed in one pass: parameters (header, correction data, customer
// lines, taxation system), customer details, positions, totals, then the
// double separator. A reading failure prints "Error:" with its message where
// it happened and ends the pass; the check is still answered and the result
// is true. A blank package prints only the document start and leaves the
// answer untouched.
//
// In strict mode the rules (rules/strict_review.h) review the call first,
// over the same loaded package the check is then printed from; a broken
// rule refuses the check before anything is printed or counted, and a
// formed check ends with the rules' remarks.
#include <optional>

#include "common/text.h"
#include "common/wrapping.h"
#include "device/emulator.h"
#include "documents/check_answer.h"
#include "documents/check_package.h"
#include "documents/check_rendering.h"
#include "rules/refusal.h"
#include "rules/strict_review.h"

namespace kassivo {

namespace {

// Reads and prints the whole package; throws DriverError at a reading failure.
void PrintPackage(ProcessState& state, CheckRenderer& renderer, const CheckPackage& package,
                  bool correction, double& doc_sum) {
  const NumberFormat& format = state.number_format();

  const XmlNode& parameters = package.ParametersSection();
  if (parameters.Is(u"Parameters")) {
    const CheckParameters read = ReadCheckParameters(parameters);
    renderer.Header(read, correction);
    if (correction) {
      for (const XmlNode& child : parameters.children) {
        if (child.Is(u"CorrectionData")) renderer.Correction(ReadCorrectionData(child));
      }
    }
    renderer.Customer(read);
    if (const std::optional<std::int32_t> taxation = ReadTaxationSystem(parameters)) {
      renderer.TaxationSystem(*taxation);
    }
  }
  for (const XmlNode& child : parameters.children) {
    if (child.Is(u"CustomerDetail")) renderer.Detail(ReadCustomerDetail(child));
  }

  const XmlNode& positions = package.PositionsSection();
  if (positions.Is(u"Positions")) {
    for (const XmlNode& item : positions.children) {
      renderer.ItemSeparator();
      if (item.Is(u"TextString")) {
        renderer.Text(ReadTextString(item));
      } else if (item.Is(u"Barcode")) {
        renderer.Code(ReadBarcode(item));
      } else if (item.Is(u"FiscalString")) {
        const FiscalString fiscal = ReadFiscalString(item, format);
        doc_sum += fiscal.amount;
        renderer.Fiscal(fiscal);
      }
    }
  }

  if (const XmlNode* payments = package.PaymentsSection()) {
    renderer.Totals(doc_sum, ReadPayments(*payments, format));
  }
  renderer.Closing();
}

// Strict mode: loads the package (null when it cannot be loaded) and refuses
// the check when a rule is broken.
std::optional<CheckReview> ReviewStrictly(ProcessState& state, bool electronic, bool correction,
                                          const std::u16string& text,
                                          std::optional<CheckPackage>& loaded) {
  if (!state.Options.Strict) return std::nullopt;
  if (!IsBlank(text)) {
    try {
      loaded.emplace(CheckPackage::Load(*state.platform().xml, text));
    } catch (const DriverError&) {
      // The check reader reports the failure when it loads the package.
    }
  }
  CheckReview review = ReviewCheck(state, loaded ? &*loaded : nullptr, electronic, correction);
  RefuseIfBroken(state.Receipt, review.findings);
  return review;
}

}  // namespace

bool TFPEmulator::ProcessCheck(bool AElectronically, bool ACorrection,
                               const std::u16string& ACheckPackage, std::u16string& AOutParams) {
  std::optional<CheckPackage> loaded;
  const std::optional<CheckReview> review =
      ReviewStrictly(state_, AElectronically, ACorrection, ACheckPackage, loaded);
  FFiscal = true;
  state_.Counters.CheckNumber = WrappingAdd(state_.Counters.CheckNumber, 1);
  state_.Receipt.BeginDocument();
  if (IsBlank(ACheckPackage)) return true;

  FDocSum = 0;
  CheckRenderer renderer(state_);
  try {
    if (!loaded) loaded.emplace(CheckPackage::Load(*state_.platform().xml, ACheckPackage));
    PrintPackage(state_, renderer, *loaded, ACorrection, FDocSum);
  } catch (const DriverError& failure) {
    renderer.Failure(failure.message());
  }
  if (review) AcceptCheck(state_, *review);
  AOutParams = BuildDocumentOutputParameters(
      state_.Counters.ShiftNumber, state_.Counters.CheckNumber, state_.Registration.FNSURL);
  return true;
}

}  // namespace kassivo
