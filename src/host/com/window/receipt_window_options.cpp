// The driver options in the receipt window's system menu: two check-mark
// items after the system's own, the caption's strict-mode mark, and a
// command changing an option for this process and in the options store.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "device/set_driver_option.h"
#include "host/com/window/receipt_window_presenter.h"
#include "host/com/window/receipt_window_win32.h"

namespace kassivo {

namespace {

constexpr char16_t kStrictItem[] = u"Строгий режим (как реальная ККТ)";
constexpr char16_t kJournalItem[] = u"Журнал вызовов";
constexpr char16_t kStrictCaptionEnd[] = u" — строгий режим";
constexpr char16_t kJournalInLocalAppData[] = u"\\Kassivo\\journal.txt";

}  // namespace

using receipt_window::WideData;

ReceiptWindowPresenter::OptionsView ReceiptWindowPresenter::ObserveOptions(
    const DriverOptions& options) {
  return {options.Strict, !options.Journal.empty()};
}

void ReceiptWindowPresenter::AddOptionsMenu() {
  // The driver options' items follow the system menu's own.
  if (HMENU menu = GetSystemMenu(window_, FALSE); menu != nullptr) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kStrictCommand, WideData(kStrictItem));
    AppendMenuW(menu, MF_STRING, kJournalCommand, WideData(kJournalItem));
  }
  shown_options_ = OptionsView{};
}

void ReceiptWindowPresenter::ShowCaption() {
  const std::u16string text = shown_options_.strict ? caption_ + kStrictCaptionEnd : caption_;
  SetWindowTextW(window_, WideData(text));
}

void ReceiptWindowPresenter::ShowOptions(const OptionsView& options) {
  // Called after every driver call: nothing to do unless an option changed.
  if (options.strict == shown_options_.strict && options.journal == shown_options_.journal) return;
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (menu != nullptr) {
    CheckMenuItem(menu, kStrictCommand,
                  MF_BYCOMMAND | (options.strict ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, kJournalCommand,
                  MF_BYCOMMAND | (options.journal ? MF_CHECKED : MF_UNCHECKED));
  }
  const bool caption_changes = options.strict != shown_options_.strict;
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
    options = ObserveOptions(current);
  }
  ShowOptions(options);
  // Not saved (no store, no rights): the change holds for this process only.
  if (!saved) MessageBeep(MB_ICONWARNING);
}

}  // namespace kassivo
