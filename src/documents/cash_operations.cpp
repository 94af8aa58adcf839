// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

bool TFPEmulator::CashInOutcome(const std::u16string&, double) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::OpenCashDrawer() { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
