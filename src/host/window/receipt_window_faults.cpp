// The faults submenu of the receipt window's system menu: a check item per
// sticky common fault, the repair commands, and the FaultActions option.
// Each command sets faults through SetFaults under the call lock and saves
// the faults in force as the Faults option.
#include <windows.h>

#include <mutex>
#include <string>

#include "device/fault_state.h"
#include "device/set_driver_option.h"
#include "host/fault_actions.h"
#include "host/window/receipt_window_presenter.h"
#include "host/window/receipt_window_win32.h"

namespace kassivo {

namespace {

constexpr char16_t kFaultsMenu[] = u"Неисправности";
constexpr char16_t kFaultActionsItem[] = u"Неисправности в дополнительных действиях";

struct RepairCommand {
  UINT command;
  const char16_t* caption;
  const char16_t* spec;
};

constexpr RepairCommand kRepairs[] = {
    {ReceiptWindowPresenter::kLoadPaperCommand, u"Заправить бумагу", u"paper=ok"},
    {ReceiptWindowPresenter::kOfdOnlineCommand, u"Восстановить связь с ОФД", u"ofd=online"},
    {ReceiptWindowPresenter::kReplaceFnCommand, u"Заменить ФН",
     u"fn=ok,fn.expires=ok,fn.archive=ok"},
    {ReceiptWindowPresenter::kClearFaultsCommand, u"Сбросить все неисправности", u"clear"},
};

}  // namespace

using receipt_window::WideData;

void ReceiptWindowPresenter::AddFaultsMenu(HMENU menu) {
  HMENU faults = CreatePopupMenu();
  if (faults == nullptr) return;
  for (std::size_t i = 0; i < std::size(kCommonFaults); ++i) {
    if (!kCommonFaults[i].sticky) continue;
    const std::u16string caption = Capitalised(kCommonFaults[i].caption);
    AppendMenuW(faults, MF_STRING, FaultItemCommand(i), WideData(caption));
  }
  AppendMenuW(faults, MF_SEPARATOR, 0, nullptr);
  for (const RepairCommand& repair : kRepairs) {
    AppendMenuW(faults, MF_STRING, repair.command, WideData(repair.caption));
  }
  AppendMenuW(faults, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(faults, MF_STRING, kFaultActionsCommand, WideData(kFaultActionsItem));
  // The system menu owns the submenu from here on.
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(faults), WideData(kFaultsMenu));
}

void ReceiptWindowPresenter::ShowFaultMarks(HMENU menu, const OptionsView& options) {
  for (std::size_t i = 0; i < std::size(kCommonFaults); ++i) {
    if (!kCommonFaults[i].sticky) continue;
    const bool set = (options.fault_marks & (1u << i)) != 0;
    CheckMenuItem(menu, FaultItemCommand(i), MF_BYCOMMAND | (set ? MF_CHECKED : MF_UNCHECKED));
  }
  CheckMenuItem(menu, kFaultActionsCommand,
                MF_BYCOMMAND | (options.fault_actions ? MF_CHECKED : MF_UNCHECKED));
}

bool ReceiptWindowPresenter::OnFaultCommand(UINT command) {
  const char16_t* spec = nullptr;
  for (const RepairCommand& repair : kRepairs) {
    if (repair.command == command) spec = repair.spec;
  }
  const CommonFault* item = nullptr;
  for (std::size_t i = 0; i < std::size(kCommonFaults); ++i) {
    if (kCommonFaults[i].sticky && FaultItemCommand(i) == command) item = &kCommonFaults[i];
  }
  if (spec == nullptr && item == nullptr && command != kFaultActionsCommand) return false;
  // A driver call on this thread is pumping messages: the faults change
  // only between calls.
  if (state_.call_lock.HeldByThisThread()) {
    MessageBeep(MB_ICONWARNING);
    return true;
  }
  OptionsView options;
  bool saved = false;
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    DriverOptions& current = state_.Options;
    RegistrationStore* store = state_.platform().options_store.get();
    if (command == kFaultActionsCommand) {
      saved = SetDriverOption(current, &DriverOptions::FaultActions, !current.FaultActions, store)
                  .saved;
    } else {
      if (item != nullptr) spec = item->is_set(state_.Faults) ? item->clear : item->spec;
      std::u16string error;
      if (SetFaults(state_, spec, error)) {
        saved =
            SetDriverOption(current, &DriverOptions::Faults, FormatFaultSpec(state_.Faults), store)
                .saved;
      }
    }
    options = ObserveOptions(state_);
  }
  ShowOptions(options);
  // Not saved (no store, no rights): the change holds for this process only.
  if (!saved) MessageBeep(MB_ICONWARNING);
  return true;
}

}  // namespace kassivo
