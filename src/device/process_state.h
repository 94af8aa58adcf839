// Everything the driver owns from library load to unload, as one object.
//
// The COM build holds exactly one ProcessState for the loaded module; each
// test makes a fresh one, which is a fresh process. Component objects own a
// TFPEmulatorList; devices reach this state through their list. Nothing else
// in the driver is global.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/exact_decimal.h"
#include "device/call_lock.h"
#include "device/driver_options.h"
#include "device/faults.h"
#include "device/marking_records.h"
#include "device/registration.h"
#include "device/settings.h"
#include "platform/platform.h"
#include "tape/tape.h"

namespace kassivo {

class TFPEmulatorList;

struct SessionCounters {
  std::int32_t CheckNumber = 0;
  std::int32_t ShiftNumber = 0;
  bool ShiftOpen = false;
  // The clock at the OpenShift that opened the current shift; none while
  // closed. Read by the strict-mode rules only.
  std::optional<LocalDateTime> ShiftOpenedAt;
  // The clock, as the rules read it, at the last document formed in strict
  // mode that took a number (shifts and checks); none before the first.
  // Read by the strict-mode rules only.
  std::optional<LocalDateTime> LastDocumentAt;
};

class ProcessState {
 public:
  explicit ProcessState(Platform platform) : platform_(std::move(platform)) {}
  ProcessState(const ProcessState&) = delete;
  ProcessState& operator=(const ProcessState&) = delete;

  Platform& platform() { return platform_; }
  const Platform& platform() const { return platform_; }
  const NumberFormat& number_format() const { return platform_.number_format; }

  // LastErrorText: empty (nullopt) until the first call, then a text.
  std::optional<std::u16string> LastErrorText;
  std::u16string WindowCaption;
  KKTRegistration Registration;
  DriverSettings Settings;
  SessionCounters Counters;
  std::u16string LastKMRequestGUID;
  DriverOptions Options;
  // The marking-code exchange so far; read by the strict-mode rules only.
  MarkingRecords Marking;
  // The cash in the drawer, to the kopeck, counted by documents formed in
  // strict mode only (0 when the process starts; never below 0).
  ExactDecimal DrawerCash;
  // OperationFN closed the fiscal storage (type 3) and no later one
  // registered the register again (type 1 or 2). Read by the strict-mode
  // rules only.
  bool FiscalStorageClosed = false;
  Tape Receipt{{Settings.Size, Settings.WindowShowType}};

  // The faults in force (device/faults.h): none unless a tester sets them,
  // and then only through SetFaults (fault_state.h).
  FaultSet Faults;
  // Whether calls go through the fault gate: a fault is set, or what one
  // left waits for the next call (an OFD queue to drain, the window's
  // status line to clear). False, the dispatcher calls the handlers
  // directly. Kept by RefreshFaultGate (fault_state.h).
  bool FaultsSet = false;
  // The documents formed while the link to the OFD was down, oldest first
  // (kept from the first ofd= setting of the process on).
  struct UnsentDocument {
    std::int32_t number = 0;
    LocalDateTime at;
  };
  std::deque<UnsentDocument> OfdQueue;
  // Every fault list applied since the call journal last took
  // them, in order (the journal records each as ":fault FAULTS").
  std::vector<std::u16string> FaultChanges;
  // The amount of a card operation the bank approved but whose answer the
  // terminal lost (card=timeout), until EmergencyReversal reverses it.
  std::optional<double> UnansweredCardAmount;

  // Taken by every CallAsFunc, so a multi-threaded host cannot corrupt the
  // shared records.
  CallLock call_lock;

  // The call journal's file while a journal is written (GetDescription
  // reports it); empty otherwise. A replay sets it as the journal says.
  std::u16string JournalInUse;

  // The device list of each component object between its Init and Done, by
  // the object's number (read by the call journal).
  std::map<std::int32_t, const TFPEmulatorList*> LiveObjects;

  // Numbers the component objects made without one (from 1).
  std::atomic<std::int32_t> ObjectsMade{0};

 private:
  Platform platform_;
};

}  // namespace kassivo
