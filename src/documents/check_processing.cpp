// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

bool TFPEmulator::ProcessCheck(bool, bool, const std::u16string&, std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
