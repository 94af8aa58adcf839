#include "device/marking_records.h"

namespace kassivo {

void MarkingRecords::Request(std::u16string_view guid, std::u16string_view code) {
  if (2 * (statuses_.size() + 1) > slots_.size()) Grow();
  const std::uint32_t hash = SlotHash(code);
  Slot& slot = slots_[SlotOf(code, hash)];
  if (slot.record == kEmpty) {
    slot = Slot{hash, static_cast<std::uint32_t>(statuses_.size())};
    spans_.push_back(Span{texts_.size(), code.size()});
    texts_.append(code);
    statuses_.emplace_back();
  } else {
    statuses_[slot.record] = MarkingCodeStatus{};
  }
  guids_[std::u16string(guid)] = slot.record;
}

std::optional<std::size_t> MarkingRecords::Lookup(std::u16string_view code) const {
  if (slots_.empty()) return std::nullopt;
  const Slot& slot = slots_[SlotOf(code, SlotHash(code))];
  if (slot.record == kEmpty) return std::nullopt;
  return slot.record;
}

std::size_t MarkingRecords::SlotOf(std::u16string_view code, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.record == kEmpty) return i;
    if (slot.hash == hash && SameText(TextOf(slot.record), code)) return i;
  }
}

void MarkingRecords::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 64 : 2 * old.size(), Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.record == kEmpty) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].record != kEmpty) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace kassivo
