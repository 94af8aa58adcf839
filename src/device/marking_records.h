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
//  - a check formed in strict mode uses its codes up (UseUp), so selling a
//    code again needs a new request.
// Codes and GUIDs are compared as text, exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kassivo {

struct MarkingCodeStatus {
  bool confirmed = false;
  std::int32_t kind = 0;  // ConfirmKM's kind once confirmed: 0 accepted
};

class MarkingRecords {
 public:
  bool SessionOpen = false;

  void Request(std::u16string_view guid, std::u16string_view code) {
    guids_[std::u16string(guid)] = std::u16string(code);
    codes_[std::u16string(code)] = MarkingCodeStatus{};
  }
  void Confirm(std::u16string_view guid, std::int32_t kind) {
    const auto request = guids_.find(std::u16string(guid));
    if (request == guids_.end()) return;
    const auto code = codes_.find(request->second);
    if (code != codes_.end()) code->second = MarkingCodeStatus{true, kind};
  }
  // Null when no request of this process carried the code (or it was used up).
  const MarkingCodeStatus* Find(const std::u16string& code) const {
    const auto found = codes_.find(code);
    return found == codes_.end() ? nullptr : &found->second;
  }
  void UseUp(const std::u16string& code) { codes_.erase(code); }

 private:
  std::unordered_map<std::u16string, std::u16string> guids_;  // GUID -> code
  std::unordered_map<std::u16string, MarkingCodeStatus> codes_;
};

}  // namespace kassivo
