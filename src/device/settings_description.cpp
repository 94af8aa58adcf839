// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

std::u16string TFPEmulator::GetParamsListToXML(const ProcessState&) { throw DriverError(u"Операция ещё не реализована."); }
std::u16string TFPEmulator::GetAddParamsListToXML() { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
