// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

bool TFPEmulator::GetDataKKT(std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::OperationFN(std::int32_t, const std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
