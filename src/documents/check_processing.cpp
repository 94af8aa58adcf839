// ProcessCheck of the device: forms a check or a correction check.
//
// The package is read and printed in one pass: parameters (header, correction
// data, customer lines, taxation system), customer details, positions,
// totals, then the double separator.
//
// A package that cannot be read (blank, not well-formed, a missing section,
// a code that is no integer) is refused: "Error:" and the message are printed
// where the reading stopped, nothing after them, and the DriverError goes on
// to the dispatcher, which answers false with that message and an empty
// answer. A refused check takes no number: CheckNumber advances only once the
// check is formed, so the next check gets the number this one would have had.
//
// In strict mode the rules (rules/strict_review.h) review the call along
// the same pass, so a check of thousands of positions is read once: the
// rules before the positions are asked before anything is printed (a check
// they refuse is refused there, after all its rules are walked); each
// position is reviewed as it is read, the payments after the pass. A check
// refused then has its provisional lines replaced on the tape by the refusal
// before the call returns (no presenter sees them: they look at the tape
// after a call); the counters, the total and the drawer change only for a
// formed check, which ends with the rules' remarks.
#include <cstdint>
#include <optional>

#include "common/text.h"
#include "common/wrapping.h"
#include "device/emulator.h"
#include "device/fault_state.h"
#include "documents/check_answer.h"
#include "documents/check_rendering.h"
#include "package/check_package.h"
#include "rules/refusal.h"
#include "rules/strict_review.h"

namespace kassivo {

namespace {

// Reads and prints the whole package; throws DriverError at a reading failure.
// `review`, in strict mode, reviews each position as it is read.
void PrintPackage(ProcessState& state, CheckRenderer& renderer, const CheckPackage& package,
                  bool correction, double& doc_sum, CheckReview* review) {
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
        const FiscalString fiscal = ReadFiscalString(item, format, review != nullptr);
        if (review) ReviewPosition(state, fiscal, *review);
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

// Strict mode, before the pass: loads the package (`loaded` stays empty when
// it cannot be loaded) and begins the review. A check already refused by the
// rules before its positions, or whose package cannot be read, has all its
// rules walked and is refused here when any is broken; an unreadable package
// the rules do not refuse is left to the check reader (no review).
std::optional<CheckReview> BeginStrictReview(ProcessState& state, bool electronic, bool correction,
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
  CheckReview review = BeginCheckReview(state, loaded ? &*loaded : nullptr, electronic, correction);
  if (!review.facts || review.findings.Refused()) {
    ReviewAllPositions(state, review);
    EndCheckReview(state, review);
    RefuseIfBroken(state.Receipt, review.findings);
    if (!review.facts) return std::nullopt;
  }
  return review;
}

}  // namespace

bool TFPEmulator::ProcessCheck(bool AElectronically, bool ACorrection,
                               const std::u16string& ACheckPackage, std::u16string& AOutParams) {
  std::optional<CheckPackage> loaded;
  std::optional<CheckReview> review =
      BeginStrictReview(state_, AElectronically, ACorrection, ACheckPackage, loaded);
  const std::int32_t number = WrappingAdd(state_.Counters.CheckNumber, 1);
  state_.Receipt.BeginDocument();

  double doc_sum = 0;
  CheckRenderer renderer(state_);
  try {
    if (!loaded) loaded.emplace(CheckPackage::Load(*state_.platform().xml, ACheckPackage));
    PrintPackage(state_, renderer, *loaded, ACorrection, doc_sum, review ? &*review : nullptr);
  } catch (const DriverError& failure) {
    renderer.Failure(failure.message());
    FFiscal = true;
    FDocSum = doc_sum;
    throw;
  }
  if (review) {
    EndCheckReview(state_, *review);
    RefuseIfBroken(state_.Receipt, review->findings);
  }
  FFiscal = true;
  FDocSum = doc_sum;
  if (review) AcceptCheck(state_, *review);
  AOutParams = BuildDocumentOutputParameters(state_.Counters.ShiftNumber, number,
                                             state_.Registration.FNSURL);
  state_.Counters.CheckNumber = number;
  QueueForOfd(state_, number);
  return true;
}

}  // namespace kassivo
