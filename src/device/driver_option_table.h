// One row per driver option: where its value and its origin live in
// DriverOptions, the name of its value in the options store, and the
// environment variable that overrides the store for one process.
//
// An option is of one of two kinds, which set how it is stored and read:
//  - a flag (`flag` set): stored as a DWORD 0 or 1 (any other DWORD, or a
//    value of another type, is ignored); its variable is "1" or "0", any
//    other text being ignored;
//  - a text (`text` set): stored as a text (plain or expandable; another
//    type is ignored); its variable is the text, or "off", "0" or the empty
//    text for the empty text (a file named "off" is not a journal).
//
// Reading, saving and changing an option (options_store.h,
// set_driver_option.h) go through these rows only: a new option is a member
// of DriverOptions and of its Origins, and one row here.
#pragma once

#include <string>

#include "device/driver_options.h"

namespace kassivo {

inline constexpr const char* kStrictVariable = "KASSIVO_STRICT";
inline constexpr const char* kJournalVariable = "KASSIVO_JOURNAL";
inline constexpr const char* kFaultsVariable = "KASSIVO_FAULTS";
inline constexpr const char* kFaultActionsVariable = "KASSIVO_FAULT_ACTIONS";

struct DriverOptionRow {
  // Lower-case ASCII: the option's name for people (kassivo options lists
  // and takes it by this name).
  const char* name = nullptr;
  // The value's name in the options store.
  const char16_t* stored_name = nullptr;
  // The environment variable over the store.
  const char* variable = nullptr;
  // Exactly one of the two is set.
  bool DriverOptions::*flag = nullptr;
  std::u16string DriverOptions::*text = nullptr;
  OptionOrigin DriverOptions::Origins::*origin = nullptr;
};

inline constexpr DriverOptionRow kDriverOptionRows[] = {
    {.name = "strict",
     .stored_name = u"Strict",
     .variable = kStrictVariable,
     .flag = &DriverOptions::Strict,
     .origin = &DriverOptions::Origins::Strict},
    {.name = "journal",
     .stored_name = u"Journal",
     .variable = kJournalVariable,
     .text = &DriverOptions::Journal,
     .origin = &DriverOptions::Origins::Journal},
    {.name = "faults",
     .stored_name = u"Faults",
     .variable = kFaultsVariable,
     .text = &DriverOptions::Faults,
     .origin = &DriverOptions::Origins::Faults},
    {.name = "fault-actions",
     .stored_name = u"FaultActions",
     .variable = kFaultActionsVariable,
     .flag = &DriverOptions::FaultActions,
     .origin = &DriverOptions::Origins::FaultActions},
};

// The row of the option at `member`; every option has one (std::logic_error
// for a member without a row).
const DriverOptionRow& RowOf(bool DriverOptions::*member);
const DriverOptionRow& RowOf(std::u16string DriverOptions::*member);

}  // namespace kassivo
