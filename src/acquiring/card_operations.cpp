// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

bool TFPEmulator::DoBillingTransaction(const std::u16string&, double, std::u16string&, std::u16string&, std::u16string&, std::u16string&, std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::Settlement(std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
