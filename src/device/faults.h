// Faults: the states in which a real register, its fiscal storage, the card
// terminal, the scales and the label printer fail, set by a tester so that a
// host meets them on a desk.
//
// A fault list is a text of NAME=VALUE items separated by commas,
// e.g. "paper=out,ofd=offline:age=31d,card=insufficient-funds:once".
// "clear" (or an empty list) clears every fault; NAME=ok clears one. The
// items are applied in order to a copy of the faults in force, so a bad item
// changes nothing (ApplyFaultSpec).
//
//   kkt=offline                 the register does not answer
//   paper=near | near:N | out   paper running out (out after N more
//                               documents, 5 by default), or out
//   cover=open                  the printer's cover is open
//   fn=absent | broken          the fiscal storage is missing or broken
//   fn.expires=DATE | Nd | expired   its keys expire on DATE (YYYY-MM-DD),
//                               N days from the driver's clock, or did
//   fn.archive=90% | full       its archive is nearly full, or full
//   ofd=offline | offline:age=Nd | online   the link to the fiscal data
//                               operator; age dates the oldest unsent
//                               document N days back
//   shift=over24h               the open shift began 24 hours before
//   power=before | after        the next fiscal call loses power before the
//                               document is formed, or after
//   card=OUTCOME | OUTCOME:once the card terminal's answer (kCardOutcomes)
//   scale=unstable | overload | negative | offline | zero | weight:X
//   labels=out | cover | offline
//
// Names and values are ASCII and compared as written (lower case).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kassivo {

enum class PaperState : std::uint8_t { kLoaded, kNear, kOut };
enum class FnState : std::uint8_t { kPresent, kAbsent, kBroken };
enum class ArchiveState : std::uint8_t { kRoom, kNearlyFull, kFull };
enum class OfdState : std::uint8_t { kOnline, kOffline };
enum class PowerFault : std::uint8_t { kNone, kBefore, kAfter };
enum class ScaleFault : std::uint8_t {
  kNone,
  kUnstable,
  kOverload,
  kNegative,
  kOffline,
  kZero,
  kWeight
};
enum class LabelFault : std::uint8_t { kNone, kOut, kCover, kOffline };
enum class CardOutcome : std::uint8_t {
  kNone,  // the terminal's own rule (the amount threshold)
  kDeclined,
  kInsufficientFunds,
  kWrongPin,
  kPinTries,
  kBlocked,
  kRetain,
  kExpired,
  kReadError,
  kCancelled,
  kNoLink,
  kOffline,
  kApproved,
  kTimeout,
  kByKopecks,
};

// One card outcome: its name in a fault list and the terminal's message
// (empty for approved and by-kopecks, which decline with others' messages).
struct CardOutcomeName {
  CardOutcome outcome;
  const char* name;
  const char16_t* message;
};
extern const CardOutcomeName kCardOutcomes[13];

struct FaultSet {
  bool kkt_offline = false;
  PaperState paper = PaperState::kLoaded;
  std::int32_t paper_documents_left = 5;  // while near: documents before out
  bool cover_open = false;
  FnState fn = FnState::kPresent;
  std::optional<LocalDateTime> fn_expires;  // the keys' expiry, on the driver's clock
  ArchiveState archive = ArchiveState::kRoom;
  // Whether an ofd= item was ever applied in the process: until then the
  // backlog fields keep their fixed values.
  bool ofd_tracked = false;
  OfdState ofd = OfdState::kOnline;
  bool shift_over24h = false;
  PowerFault power = PowerFault::kNone;
  CardOutcome card = CardOutcome::kNone;
  bool card_once = false;
  ScaleFault scale = ScaleFault::kNone;
  double scale_weight = 0;  // for kWeight
  LabelFault labels = LabelFault::kNone;

  // Whether any fault is set (ofd=online alone, or an untouched OFD, is none).
  bool Any() const;
  bool operator==(const FaultSet&) const = default;
};

// What applying a fault list did besides setting faults: the actions
// that act on the state once (the OFD's age, the shift's opening).
struct FaultActions {
  std::optional<std::int32_t> ofd_age_days;
  bool shift_back_24h = false;
};

// Applies `spec` to `faults`; relative dates count from `now`. On a bad item
// `faults` is left as it was and the error names the item ("Неизвестная
// неисправность: ...", "Неверное значение неисправности: ...").
bool ApplyFaultSpec(std::u16string_view spec, const LocalDateTime& now, FaultSet& faults,
                    FaultActions& actions, std::u16string& error);

// The faults in force as a fault list that gives them back (dates
// absolute); "" when none. Items in the order of the list above.
std::u16string FormatFaultSpec(const FaultSet& faults);

// The days from `now` to `until` (negative once past), by calendar dates.
std::int32_t DaysUntil(const LocalDateTime& now, const LocalDateTime& until);
// The moment `days` calendar days after `at` (before, for negative days).
LocalDateTime AddDays(const LocalDateTime& at, std::int32_t days);

}  // namespace kassivo
