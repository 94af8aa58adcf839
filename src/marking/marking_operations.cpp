// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

bool TFPEmulator::SessionRegistrationKM(bool) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::RequestKM(std::u16string&, std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::GetProcessingKMResult(std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::ConfirmKM(std::u16string&, std::int32_t&) { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
