// The receipt window presenter's core: the window made and placed, the model
// followed after each driver call, and the window's messages handed out to
// the files of their concern (painting, scrolling, hiding, options).
#include "host/window/receipt_window_presenter.h"

#include <mutex>
#include <utility>
#include <vector>

#include "host/window/receipt_window_win32.h"

namespace kassivo {

namespace {

constexpr wchar_t kClassName[] = L"KassivoReceiptWindow";

constexpr int kClientWidth = 272;  // at 96 dpi
constexpr int kClientHeight = 487;
constexpr int kFontHeight = 11;
constexpr int kRightMargin = 10;  // screen pixels
constexpr int kBottomMargin = 50;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED;

}  // namespace

using receipt_window::ClientWidth;
using receipt_window::WideData;

ReceiptWindowPresenter::ReceiptWindowPresenter(ProcessState& state, HINSTANCE instance)
    : state_(state), instance_(instance) {}

ReceiptWindowPresenter::~ReceiptWindowPresenter() {
  if (window_ != nullptr) {
    KillTimer(window_, kCountdownTimer);
    KillTimer(window_, kFadeTimer);
    DestroyWindow(window_);
    UnregisterClassW(kClassName, instance_);
  }
  if (measure_dc_ != nullptr) {
    SelectObject(measure_dc_, measure_old_font_);
    DeleteDC(measure_dc_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

void ReceiptWindowPresenter::SetTimerIntervals(UINT countdown_ms, UINT fade_ms) {
  countdown_ms_ = countdown_ms;
  fade_ms_ = fade_ms;
}

int ReceiptWindowPresenter::Scaled(int pixels) const {
  return MulDiv(pixels, dpi_, 96);
}

ReceiptWindowPresenter::ModelView ReceiptWindowPresenter::Observe(const ReceiptWindow& model) {
  ModelView view;
  view.visible = model.visible();
  view.absent = model.state() == ReceiptWindow::State::kAbsent;
  view.alpha = model.alpha();
  view.translucent = model.translucent();
  view.shows = model.shows();
  view.countdown = model.countdown_enabled();
  view.fade = model.fade_enabled();
  return view;
}

void ReceiptWindowPresenter::Update() {
  ModelView view;
  std::u16string caption;
  std::vector<TapeEntry> added;
  bool document_began = false;
  bool content_changed = false;
  bool status_changed = false;
  std::u16string status;
  OptionsView options;
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    const Tape& tape = state_.Receipt;
    view = Observe(tape.window());
    if (view.absent) return;  // no document shown yet (or never: show type 0)
    options = ObserveOptions(state_);
    if (tape.status_revision() != seen_status_revision_) {
      seen_status_revision_ = tape.status_revision();
      status = tape.status();
      status_changed = true;
    }
    if (view.shows != seen_.shows) caption = state_.WindowCaption;
    if (tape.revision() != seen_revision_) {
      // Appending moves the revision by one per entry; a new document moves
      // it once more than the entries it holds, so the two never match.
      const auto& entries = tape.entries();
      const bool appended = entries.size() >= seen_entries_ &&
                            tape.revision() - seen_revision_ == entries.size() - seen_entries_;
      document_began = !appended;
      added.assign(entries.begin() + static_cast<std::ptrdiff_t>(appended ? seen_entries_ : 0),
                   entries.end());
      seen_revision_ = tape.revision();
      seen_entries_ = entries.size();
      content_changed = true;
    }
  }
  if (window_ == nullptr && !CreateReceiptWindow()) {
    // No desktop, or out of resources: try again with the whole document
    // next time; the driver's answers do not depend on the window.
    seen_revision_ = 0;
    seen_entries_ = 0;
    seen_status_revision_ = 0;
    return;
  }
  if (status_changed) {
    status_ = std::move(status);
    UpdateScrollBar();
    InvalidateRect(window_, nullptr, FALSE);
  }
  if (content_changed) {
    if (document_began) {
      layout_->Clear();
      scroll_ = 0;
    }
    for (TapeEntry& entry : added) layout_->Append(std::move(entry));
    UpdateScrollBar();
    InvalidateRect(window_, nullptr, FALSE);
  }
  ShowOptions(options);
  Apply(view, &caption, document_began);
}

bool ReceiptWindowPresenter::CreateReceiptWindow() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = &ReceiptWindowPresenter::WindowProc;
  window_class.hInstance = instance_;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  if (font_ == nullptr) {
    if (HDC screen = GetDC(nullptr); screen != nullptr) {
      dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
      ReleaseDC(nullptr, screen);
    }
    if (dpi_ <= 0) dpi_ = 96;
    font_ = CreateFontW(-Scaled(kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        FIXED_PITCH | FF_MODERN, L"Courier New");
    measure_dc_ = CreateCompatibleDC(nullptr);
    if (font_ == nullptr || measure_dc_ == nullptr) return false;
    measure_old_font_ = SelectObject(measure_dc_, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(measure_dc_, &metrics);
    HDC dc = measure_dc_;
    layout_ = std::make_unique<ReceiptLayout>(
        metrics.tmHeight + metrics.tmExternalLeading, [dc](std::u16string_view text) {
          SIZE size{};
          GetTextExtentPoint32W(dc, WideData(text), static_cast<int>(text.size()), &size);
          return static_cast<int>(size.cx);
        });
  }

  RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  HWND created = CreateWindowExW(kExStyle, kClassName, L"", kStyle, 0, 0, frame.right - frame.left,
                                 frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (created == nullptr) {
    window_ = nullptr;  // WM_NCCREATE may have stored a window that no longer exists
    return false;
  }
  window_ = created;
  AddOptionsMenu();
  // A layered window shows nothing until its attributes are set.
  SetLayeredWindowAttributes(window_, 0, 255, LWA_ALPHA);
  applied_alpha_ = 255;
  layout_->SetWidth(ClientWidth(window_));
  UpdateScrollBar();
  return true;
}

void ReceiptWindowPresenter::Apply(const ModelView& view, const std::u16string* caption,
                                   bool document_began) {
  const int alpha = view.translucent ? view.alpha : 255;
  if (alpha != applied_alpha_) {
    SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
    applied_alpha_ = alpha;
  }
  std::uint64_t shows = view.shows;
  if (view.visible && view.shows != seen_.shows) {
    if (caption != nullptr) {
      caption_ = *caption;
      ShowCaption();
      Place();
    } else {
      shows = seen_.shows;  // shown by a call Update has not seen yet: it places the window
    }
  } else if (view.visible && document_began) {
    // A new document brings the visible window to the front of the top-most windows.
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (!view.visible && IsWindowVisible(window_)) ShowWindow(window_, SW_HIDE);
  SyncTimers(view);
  seen_ = view;
  seen_.shows = shows;
}

void ReceiptWindowPresenter::Place() {
  RECT frame{};
  GetWindowRect(window_, &frame);
  const int left = GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left) - kRightMargin;
  const int top = GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top) - kBottomMargin;
  // Shown without taking the keyboard focus from the host's window.
  SetWindowPos(window_, HWND_TOPMOST, left, top, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CALLBACK ReceiptWindowPresenter::WindowProc(HWND window, UINT message, WPARAM wparam,
                                                    LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* presenter = static_cast<ReceiptWindowPresenter*>(create->lpCreateParams);
    presenter->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(presenter));
  }
  auto* presenter =
      reinterpret_cast<ReceiptWindowPresenter*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (presenter == nullptr || presenter->layout_ == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return presenter->Handle(message, wparam, lparam);
}

LRESULT ReceiptWindowPresenter::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole band
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_VSCROLL:
      OnVerticalScroll(LOWORD(wparam));
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(wparam);
      return 0;
    case WM_RBUTTONDOWN:
      OnUserHide(true);
      return 0;
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wparam & 0xFFF0);
      if (command == kStrictCommand || command == kJournalCommand) {
        OnOptionCommand(command);
        return 0;
      }
      if (OnFaultCommand(command)) return 0;
      return DefWindowProcW(window_, message, wparam, lparam);
    }
    case WM_CLOSE:
      OnUserHide(false);  // closing only hides; the window lives until the presenter goes
      return 0;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wparam));
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

}  // namespace kassivo
