// The driver options in the receipt window's system menu: two check-mark
// items after the system's own, the caption's strict-mode and faults marks,
// and a command changing an option for this process and in the options
// store.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "device/set_driver_option.h"
#include "host/fault_actions.h"
#include "host/window/receipt_window_presenter.h"
#include "host/window/receipt_window_win32.h"

namespace kassivo {

namespace {

constexpr char16_t kStrictItem[] = u"Строгий режим (как реальная ККТ)";
constexpr char16_t kJournalItem[] = u"Журнал вызовов";
constexpr char16_t kStrictCaptionEnd[] = u" — строгий режим";
constexpr char16_t kFaultsCaptionEnd[] = u" — неисправности";
constexpr char16_t kJournalInLocalAppData[] = u"\\Kassivo\\journal.txt";

}  // namespace

using receipt_window::WideData;

ReceiptWindowPresenter::OptionsView ReceiptWindowPresenter::ObserveOptions(
    const ProcessState& state) {
  const DriverOptions& options = state.Options;
  OptionsView view{options.Strict, !options.Journal.empty(), options.FaultActions,
                   state.Faults.Any(), 0};
  for (std::size_t i = 0; i < std::size(kCommonFaults); ++i) {
    if (kCommonFaults[i].is_set(state.Faults)) view.fault_marks |= 1u << i;
  }
  return view;
}

void ReceiptWindowPresenter::AddOptionsMenu() {
  // The driver options' items follow the system menu's own.
  if (HMENU menu = GetSystemMenu(window_, FALSE); menu != nullptr) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kStrictCommand, WideData(kStrictItem));
    AppendMenuW(menu, MF_STRING, kJournalCommand, WideData(kJournalItem));
    AddFaultsMenu(menu);
  }
  shown_options_ = OptionsView{};
}

void ReceiptWindowPresenter::ShowCaption() {
  std::u16string text = shown_options_.strict ? caption_ + kStrictCaptionEnd : caption_;
  if (shown_options_.any_fault) text += kFaultsCaptionEnd;
  SetWindowTextW(window_, WideData(text));
}

void ReceiptWindowPresenter::ShowOptions(const OptionsView& options) {
  // Called after every driver call: nothing to do unless an option changed.
  if (options == shown_options_) return;
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (menu != nullptr) {
    CheckMenuItem(menu, kStrictCommand,
                  MF_BYCOMMAND | (options.strict ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, kJournalCommand,
                  MF_BYCOMMAND | (options.journal ? MF_CHECKED : MF_UNCHECKED));
    ShowFaultMarks(menu, options);
  }
  const bool caption_changes =
      options.strict != shown_options_.strict || options.any_fault != shown_options_.any_fault;
  shown_options_ = options;
  if (caption_changes) ShowCaption();
}

void ReceiptWindowPresenter::OnOptionCommand(UINT command) {
  OptionsView options;
  bool saved = false;
  {
    // A driver call on this thread is pumping messages: it may be reading
    // the options, which change only between calls.
    if (state_.call_lock.HeldByThisThread()) {
      MessageBeep(MB_ICONWARNING);
      return;
    }
    std::lock_guard<CallLock> lock(state_.call_lock);
    DriverOptions& current = state_.Options;
    RegistrationStore* store = state_.platform().options_store.get();
    if (command == kStrictCommand) {
      saved = SetDriverOption(current, &DriverOptions::Strict, !current.Strict, store).saved;
    } else {
      std::optional<std::u16string> journal;
      if (!current.Journal.empty()) {
        journal.emplace();
      } else if (const EnvironmentReader& environment = state_.platform().environment) {
        const std::optional<std::u16string> folder = environment("LOCALAPPDATA");
        if (folder && !folder->empty()) journal = *folder + kJournalInLocalAppData;
      }
      if (journal) {
        saved = SetDriverOption(current, &DriverOptions::Journal, std::move(*journal), store).saved;
      }
    }
    options = ObserveOptions(state_);
  }
  ShowOptions(options);
  // Not saved (no store, no rights): the change holds for this process only.
  if (!saved) MessageBeep(MB_ICONWARNING);
}

}  // namespace kassivo
