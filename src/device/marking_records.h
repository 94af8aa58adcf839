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

namespace kassivo {

struct MarkingCodeStatus {
  bool confirmed = false;
  std::int32_t kind = 0;  // ConfirmKM's kind once confirmed: 0 accepted
  bool used_up = false;
};

class MarkingRecords {
 public:
  bool SessionOpen = false;

  void Request(std::u16string_view guid, std::u16string_view code) {
    auto [entry, added] = codes_.try_emplace(std::u16string(code), statuses_.size());
    if (added) {
      statuses_.emplace_back();
    } else {
      statuses_[entry->second] = MarkingCodeStatus{};
    }
    guids_[std::u16string(guid)] = entry->second;
  }
  void Confirm(std::u16string_view guid, std::int32_t kind) {
    const auto request = guids_.find(guid);
    if (request == guids_.end()) return;
    statuses_[request->second] = MarkingCodeStatus{true, kind, false};
  }
  // The code's record, none when no request of this process carried it or
  // a formed check used it up.
  std::optional<std::size_t> Find(std::u16string_view code) const {
    const auto found = codes_.find(code);
    if (found == codes_.end() || statuses_[found->second].used_up) return std::nullopt;
    return found->second;
  }
  const MarkingCodeStatus& Status(std::size_t record) const { return statuses_[record]; }
  void UseUp(std::size_t record) { statuses_[record].used_up = true; }

 private:
  // Looks texts up by view, without a copy: a check may hold thousands of
  // codes. A code's first 32 units (its product and serial number) make the
  // hash; equal texts still decide.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
      return std::hash<std::u16string_view>{}(text.substr(0, 32)) ^ text.size();
    }
  };
  // Equality as one memory compare (char16_t's compare goes unit by unit).
  struct TextEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const {
      return a.size() == b.size() &&
             (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
    }
  };
  using Index = std::unordered_map<std::u16string, std::size_t, TextHash, TextEqual>;
  Index guids_;  // GUID -> record
  Index codes_;  // code -> record
  std::vector<MarkingCodeStatus> statuses_;
};

}  // namespace kassivo
