// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

bool TFPEmulator::PrintTextDocument(const std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::PrintCheckCopy() { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
