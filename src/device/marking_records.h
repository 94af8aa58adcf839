// What the marking-code exchange of this process has done: whether a
// registration session is open, and each code a RequestKM carried with what
// ConfirmKM said about it.
//
// Contract:
//  - SessionRegistrationKM sets and clears SessionOpen;
//  - a well-formed RequestKM records its GUID and MarkingCode (Request): the
//    code is then "requested", whatever it was before;
//  - ConfirmKM records the kind against the code its GUID requested
//    (Confirm); a GUID no request carried changes nothing;
//  - a check formed in strict mode uses its codes up (UseUp): Find no longer
//    finds them, so selling a code again needs a new request.
// Codes and GUIDs are compared as text, exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/text.h"

namespace kassivo {

struct MarkingCodeStatus {
  bool confirmed = false;
  std::int32_t kind = 0;  // ConfirmKM's kind once confirmed: 0 accepted
  bool used_up = false;
};

class MarkingRecords {
 public:
  bool SessionOpen = false;

  void Request(std::u16string_view guid, std::u16string_view code);
  void Confirm(std::u16string_view guid, std::int32_t kind) {
    const auto request = guids_.find(guid);
    if (request == guids_.end()) return;
    statuses_[request->second] = MarkingCodeStatus{true, kind, false};
  }
  // The code's record, none when no request of this process carried it or
  // a formed check used it up.
  // A host requests the codes of a check in the order it then lists them:
  // the record after the one found last is tried before the table.
  std::optional<std::size_t> Find(std::u16string_view code) const {
    std::optional<std::size_t> record;
    if (next_ < spans_.size() && SameText(TextOf(next_), code)) {
      record = next_;
    } else {
      record = Lookup(code);
    }
    if (record) next_ = *record + 1;
    if (!record || statuses_[*record].used_up) return std::nullopt;
    return record;
  }
  const MarkingCodeStatus& Status(std::size_t record) const { return statuses_[record]; }
  void UseUp(std::size_t record) { statuses_[record].used_up = true; }
  // Records are numbered from 0 up to (not including) this.
  std::size_t RecordCount() const { return statuses_.size(); }

 private:
  // A code's first 32 units (its product and serial number) make the hash;
  // equal texts still decide.
  static std::size_t Hash(std::u16string_view text) {
    return std::hash<std::u16string_view>{}(text.substr(0, 32)) ^ text.size();
  }
  // The same first 32 units, for the code table: eight bytes at a time, each
  // piece multiplied in, then the length.
  static std::uint32_t SlotHash(std::u16string_view text) {
    const std::size_t units = text.size() < 32 ? text.size() : 32;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ text.size();
    std::size_t at = 0;
    for (; at + 4 <= units; at += 4) {
      std::uint64_t piece;
      std::memcpy(&piece, bytes + at * sizeof(char16_t), sizeof piece);
      hash = (hash ^ piece) * 0xFF51AFD7ED558CCDull;
      hash ^= hash >> 29;
    }
    for (; at < units; ++at) hash = (hash ^ text[at]) * 0xC4CEB9FE1A85EC53ull;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
  }

  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const { return Hash(text); }
  };
  struct TextEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const { return SameText(a, b); }
  };
  // The codes are looked up by view, without a copy, thousands to a check:
  // an open-addressed table (a power of two of slots, at most half full) of
  // small slots, each the low half of a code's hash and its record, and
  // each record's code in one store of every code, so a lookup touches a
  // slot and a text. Records are counted in 32 bits.
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t record = kEmpty;
  };
  struct Span {
    std::size_t offset = 0;  // in texts_
    std::size_t length = 0;
  };
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

  std::optional<std::size_t> Lookup(std::u16string_view code) const;
  std::u16string_view TextOf(std::size_t record) const {
    return std::u16string_view(texts_).substr(spans_[record].offset, spans_[record].length);
  }
  // The slot of `code`, or the empty slot where it would go.
  std::size_t SlotOf(std::u16string_view code, std::uint32_t hash) const;
  void Grow();

  std::unordered_map<std::u16string, std::size_t, TextHash, TextEqual> guids_;  // GUID -> record
  std::vector<Slot> slots_;
  std::vector<Span> spans_;  // by record
  std::u16string texts_;
  std::vector<MarkingCodeStatus> statuses_;
  mutable std::size_t next_ = 0;  // the record Find tries first
};

}  // namespace kassivo
