// Shows the process's tape in the translucent receipt window.
//
// The tape and its show/fade/hide state machine (tape/receipt_window.h) are
// the model; this presenter only makes one Win32 window follow it:
//  - The window exists once the model first becomes visible (never with
//    WindowShowType 0). It is a stay-on-top, layered tool window with a
//    resizable frame and only a close box; client area 272 x 487 at 96 dpi,
//    light-yellow background, "Courier New" 11 px.
//  - Each time the model turns visible (shows() changes) the caption is set
//    to WindowCaption and the window is placed 10 px from the right and 50 px
//    from the bottom of the primary screen; while it stays visible it is not
//    moved, so a window the user dragged stays where it was dragged.
//  - The alpha is the model's (while translucency is on), so a fade shows.
//  - It paints the current document itself: lines centred, one row each;
//    banners word-wrapped and centred on light red; a vertical scroll bar
//    over the content. Only the rows in the painted band are drawn.
//  - Two timers on the window, the countdown (1 s) while the model's
//    countdown is enabled and the fade (10 ms) while its fade is enabled,
//    tick the model. A right click on the tape and the close box hide
//    through the model; the window is never destroyed before the presenter.
//  - The system menu (a right click on the caption bar, or Alt+Space) ends
//    with two check-mark items for the driver options: "Строгий режим (как
//    реальная ККТ)" toggles Options.Strict, and "Журнал вызовов" switches
//    Options.Journal between off and %LOCALAPPDATA%\Kassivo\journal.txt.
//    Each change is made under the call lock, so it holds from the next
//    driver call, and is saved to the options store by SetDriverOption (a
//    beep when it cannot be: the change then holds for this process only).
//    The check marks follow the options at every Update; while strict mode
//    is on the caption ends with " — строгий режим".
//  - A submenu "Неисправности" after them (receipt_window_faults.cpp): a
//    check item per sticky common fault (host/fault_actions.h), the
//    commands "Заправить бумагу", "Восстановить связь с ОФД", "Заменить ФН"
//    and "Сбросить все неисправности", and a check item for the
//    FaultActions option. A fault command sets faults through SetFaults
//    under the call lock (so from the next call on) and saves the faults in
//    force as the Faults option; while any fault is set the caption ends
//    with " — неисправности".
//  - While the tape's status line (why the last refused call was refused)
//    is not empty, it is drawn in a band at the bottom of the client area,
//    and the tape scrolls in the rest.
//
// Threading: every member, the destructor included, runs on the thread that
// created the window (the host's thread, as an apartment-threaded COM object
// is called); window messages are only delivered there. Do not destroy the
// presenter from DllMain. Update takes state.call_lock itself. Timer, mouse,
// close and menu handlers skip their event when this very thread holds the lock:
// a driver call is then pumping messages (a modal message box), and waiting
// would deadlock; a call on another thread they wait for.
//
// The layout of the rows is in receipt_layout.h. The presenter's members are
// defined by concern: receipt_window_presenter.cpp (the window and the model),
// receipt_window_painting.cpp, receipt_window_scrolling.cpp,
// receipt_window_hiding.cpp (timers, right click, close box) and
// receipt_window_options.cpp (the system menu's options items).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "device/process_state.h"
#include "host/window/receipt_layout.h"

namespace kassivo {

class ReceiptWindowPresenter {
 public:
  // `state` outlives the presenter; `instance` is the module registering the
  // window class.
  ReceiptWindowPresenter(ProcessState& state, HINSTANCE instance);
  ~ReceiptWindowPresenter();  // destroys the window and its timers
  ReceiptWindowPresenter(const ReceiptWindowPresenter&) = delete;
  ReceiptWindowPresenter& operator=(const ReceiptWindowPresenter&) = delete;

  // Brings the window in line with the tape model; called on the host's
  // thread after every driver call, with state.call_lock NOT held.
  void Update();
  HWND window() const { return window_; }

  // The system-menu commands of the driver options (WM_SYSCOMMAND).
  static constexpr UINT kStrictCommand = 0x0010;
  static constexpr UINT kJournalCommand = 0x0020;
  // The faults submenu's commands; the common fault at `index` of
  // kCommonFaults has FaultItemCommand(index).
  static constexpr UINT kFaultActionsCommand = 0x0030;
  static constexpr UINT kLoadPaperCommand = 0x0040;
  static constexpr UINT kOfdOnlineCommand = 0x0050;
  static constexpr UINT kReplaceFnCommand = 0x0060;
  static constexpr UINT kClearFaultsCommand = 0x0070;
  static constexpr UINT FaultItemCommand(std::size_t index) {
    return 0x0100 + static_cast<UINT>(index) * 0x10;
  }

  // Shorter timer intervals for tests; the model's tick counts stay the same.
  void SetTimerIntervals(UINT countdown_ms, UINT fade_ms);

  // The current scroll position in pixels, and the layout (for tests).
  int scroll_position() const { return scroll_; }
  const ReceiptLayout* layout() const { return layout_.get(); }

 private:
  // What the presenter last saw of the model, read under the call lock.
  struct ModelView {
    bool visible = false;
    bool absent = true;
    int alpha = 255;
    bool translucent = false;
    std::uint64_t shows = 0;
    bool countdown = false;
    bool fade = false;
  };

  // What the window shows of the driver options.
  struct OptionsView {
    bool strict = false;
    bool journal = false;
    bool fault_actions = false;
    bool any_fault = false;
    std::uint32_t fault_marks = 0;  // bit i: kCommonFaults[i] is set
    bool operator==(const OptionsView&) const = default;
  };

  static constexpr UINT_PTR kCountdownTimer = 1;
  static constexpr UINT_PTR kFadeTimer = 2;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  bool CreateReceiptWindow();
  static ModelView Observe(const ReceiptWindow& model);
  static OptionsView ObserveOptions(const ProcessState& state);
  // Shows, places, fades, hides and times the window as `view` says. With a
  // null caption (a tick or a click) a newly shown model is left to Update.
  void Apply(const ModelView& view, const std::u16string* caption, bool document_began);
  void Place();
  // Appends the options' items to the system menu, none checked yet.
  void AddOptionsMenu();
  // The caption: the last WindowCaption shown, marked while strict.
  void ShowCaption();
  // Check marks and caption as `options` says.
  void ShowOptions(const OptionsView& options);
  void OnOptionCommand(UINT command);
  // The faults submenu, appended to the system menu `menu`.
  void AddFaultsMenu(HMENU menu);
  // Whether `command` is one of the faults submenu's; then handles it.
  bool OnFaultCommand(UINT command);
  void ShowFaultMarks(HMENU menu, const OptionsView& options);
  // The client area's height left to the tape above the status band.
  int TapeHeight() const;
  void SyncTimers(const ModelView& view);
  void OnTimer(UINT_PTR id);
  void OnUserHide(bool right_click);
  void OnSize();
  void Scroll(ScrollRequest request, int value);
  void UpdateScrollBar();
  void OnVerticalScroll(WORD code);
  void OnMouseWheel(WPARAM wparam);
  void OnPaint();
  void Paint(HDC dc, const RECT& band);
  int Scaled(int pixels) const;

  ProcessState& state_;
  HINSTANCE instance_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HDC measure_dc_ = nullptr;
  HGDIOBJ measure_old_font_ = nullptr;
  int dpi_ = 96;
  UINT countdown_ms_ = 1000;
  UINT fade_ms_ = 10;

  std::unique_ptr<ReceiptLayout> layout_;
  std::uint64_t seen_revision_ = 0;
  std::size_t seen_entries_ = 0;
  ModelView seen_;
  OptionsView shown_options_;
  std::u16string caption_;
  std::u16string status_;  // the tape's status line as last drawn
  std::uint64_t seen_status_revision_ = 0;
  bool countdown_running_ = false;
  bool fade_running_ = false;
  int applied_alpha_ = -1;
  int scroll_ = 0;
  bool updating_scroll_bar_ = false;
};

}  // namespace kassivo
