#include "device/emulator.h"

#include "common/text.h"
#include "common/wrapping.h"

namespace kassivo {

TFPEmulator::TFPEmulator(ProcessState& state) : state_(state) {
  LoadRegistration(state_.Registration, *state_.platform().store);
  state_.LastKMRequestGUID = u"***";
}

std::int32_t TFPEmulator::GetLineLength() {
  return state_.Settings.Size;
}

bool TFPEmulatorList::New(std::u16string& AID) {
  FNumber = WrappingAdd(FNumber, 1);
  AID = DecimalText(FNumber);
  auto device = std::make_unique<TFPEmulator>(state_);
  device->FID = AID;
  FObjectList.push_back(std::move(device));
  return true;
}

std::vector<std::u16string> TFPEmulatorList::ids() const {
  std::vector<std::u16string> out;
  out.reserve(FObjectList.size());
  for (const auto& device : FObjectList) out.push_back(device->FID);
  return out;
}

void TFPEmulatorList::Restore(std::int32_t issued, const std::vector<std::u16string>& ids) {
  FObjectList.clear();
  for (const std::u16string& id : ids) {
    auto device = std::make_unique<TFPEmulator>(state_);
    device->FID = id;
    FObjectList.push_back(std::move(device));
  }
  FNumber = issued;
}

}  // namespace kassivo
