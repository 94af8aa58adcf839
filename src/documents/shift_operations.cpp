// Placeholder until this operation group is built.
#include "device/emulator.h"

namespace kassivo {

bool TFPEmulator::OpenShift(std::u16string&, std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::CloseShift(std::u16string&, std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::ReportCurrentStatus(std::u16string&, std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::GetCurrentStatus(std::u16string&, std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }
bool TFPEmulator::PrintXReport(const std::u16string&) { throw DriverError(u"Операция ещё не реализована."); }

}  // namespace kassivo
