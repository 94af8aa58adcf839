// Faults a tester sets from the host's own equipment form, and the common
// faults the receipt window's menu offers.
//
// With the FaultActions option on, GetAdditionalActions lists after "Test"
// one action per common fault, named "Fault:FAULTS" and captioned
// "Неисправность: ...", and "Fault:clear"; DoAdditionalAction takes any
// "Fault:FAULTS", sets those faults (SetFaults) and answers true, or false
// with the grammar's error. With the option off both answer as without it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/process_state.h"

namespace kassivo {

struct CommonFault {
  const char16_t* spec;   // sets it
  const char16_t* clear;  // clears it
  const char16_t* caption;  // "нет бумаги": after "Неисправность: " or capitalised
  // Stays set until cleared (a check item in the window's menu); the
  // others act once.
  bool sticky;
  bool (*is_set)(const FaultSet&);
};

extern const CommonFault kCommonFaults[17];

// The caption with its first letter in upper case (the window's items).
std::u16string Capitalised(std::u16string_view caption);

// GetAdditionalActions' XML; with faults offered when FaultActions is on.
std::u16string AdditionalActionsXml(const ProcessState& state);

inline constexpr std::u16string_view kFaultActionPrefix = u"Fault:";

// DoAdditionalAction "Fault:FAULTS" while FaultActions is on: true when set,
// else false with the error as the last error. Nullopt for any other call,
// which the driver answers as always.
std::optional<bool> DoFaultAction(ProcessState& state, std::u16string_view name);

}  // namespace kassivo
