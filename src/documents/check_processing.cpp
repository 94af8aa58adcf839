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
#include <cstdint>

#include "common/wrapping.h"
#include "device/emulator.h"
#include "documents/check_answer.h"
#include "documents/check_package.h"
#include "documents/check_rendering.h"

namespace kassivo {

namespace {

// Reads and prints the whole package; throws DriverError at a reading failure.
void PrintPackage(ProcessState& state, CheckRenderer& renderer, const std::u16string& text,
                  bool correction, double& doc_sum) {
  const NumberFormat& format = state.number_format();
  const CheckPackage package = CheckPackage::Load(*state.platform().xml, text);

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

}  // namespace

bool TFPEmulator::ProcessCheck(bool /*AElectronically*/, bool ACorrection,
                               const std::u16string& ACheckPackage, std::u16string& AOutParams) {
  FFiscal = true;
  const std::int32_t number = WrappingAdd(state_.Counters.CheckNumber, 1);
  state_.Receipt.BeginDocument();

  FDocSum = 0;
  CheckRenderer renderer(state_);
  try {
    PrintPackage(state_, renderer, ACheckPackage, ACorrection, FDocSum);
  } catch (const DriverError& failure) {
    renderer.Failure(failure.message());
    throw;
  }
  AOutParams = BuildDocumentOutputParameters(state_.Counters.ShiftNumber, number,
                                             state_.Registration.FNSURL);
  state_.Counters.CheckNumber = number;
  return true;
}

}  // namespace kassivo
