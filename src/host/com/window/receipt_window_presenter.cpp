#include "host/com/window/receipt_window_presenter.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "device/options_store.h"

namespace kassivo {

namespace {

constexpr wchar_t kClassName[] = L"KassivoReceiptWindow";
constexpr UINT_PTR kCountdownTimer = 1;
constexpr UINT_PTR kFadeTimer = 2;

constexpr char16_t kStrictItem[] = u"Строгий режим (как реальная ККТ)";
constexpr char16_t kJournalItem[] = u"Журнал вызовов";
constexpr char16_t kStrictCaptionEnd[] = u" — строгий режим";
constexpr char16_t kJournalInLocalAppData[] = u"\\Kassivo\\journal.txt";

constexpr int kClientWidth = 272;  // at 96 dpi
constexpr int kClientHeight = 487;
constexpr int kFontHeight = 11;
constexpr int kRightMargin = 10;  // screen pixels
constexpr int kBottomMargin = 50;

constexpr COLORREF kBackground = RGB(255, 255, 210);
constexpr COLORREF kBanner = RGB(255, 108, 108);

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED;

const wchar_t* WideData(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

int ClientHeight(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.bottom - client.top;
}

int ClientWidth(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.right - client.left;
}

}  // namespace

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

ReceiptWindowPresenter::OptionsView ReceiptWindowPresenter::ObserveOptions(
    const DriverOptions& options) {
  return {options.Strict, !options.Journal.empty()};
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
  OptionsView options;
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    const Tape& tape = state_.Receipt;
    view = Observe(tape.window());
    if (view.absent) return;  // no document shown yet (or never: show type 0)
    options = ObserveOptions(state_.Options);
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
    return;
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
  // The driver options' items follow the system menu's own.
  if (HMENU menu = GetSystemMenu(window_, FALSE); menu != nullptr) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kStrictCommand, WideData(kStrictItem));
    AppendMenuW(menu, MF_STRING, kJournalCommand, WideData(kJournalItem));
  }
  shown_options_ = OptionsView{};
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
      current.Strict = !current.Strict;
      current.Origin.Strict = OptionOrigin::kChanged;
      saved = SaveStrict(store, current.Strict);
    } else {
      std::optional<std::u16string> journal;
      if (!current.Journal.empty()) {
        journal.emplace();
      } else if (const EnvironmentReader& environment = state_.platform().environment) {
        const std::optional<std::u16string> folder = environment("LOCALAPPDATA");
        if (folder && !folder->empty()) journal = *folder + kJournalInLocalAppData;
      }
      if (journal) {
        current.Journal = *journal;
        current.Origin.Journal = OptionOrigin::kChanged;
        saved = SaveJournal(store, current.Journal);
      }
    }
    options = ObserveOptions(current);
  }
  ShowOptions(options);
  // Not saved (no store, no rights): the change holds for this process only.
  if (!saved) MessageBeep(MB_ICONWARNING);
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

void ReceiptWindowPresenter::SyncTimers(const ModelView& view) {
  // A timer that is already running keeps its phase, as re-enabling it would.
  if (view.countdown != countdown_running_) {
    if (view.countdown) {
      countdown_running_ = SetTimer(window_, kCountdownTimer, countdown_ms_, nullptr) != 0;
    } else {
      KillTimer(window_, kCountdownTimer);
      countdown_running_ = false;
    }
  }
  if (view.fade != fade_running_) {
    if (view.fade) {
      fade_running_ = SetTimer(window_, kFadeTimer, fade_ms_, nullptr) != 0;
    } else {
      KillTimer(window_, kFadeTimer);
      fade_running_ = false;
    }
  }
}

void ReceiptWindowPresenter::OnTimer(UINT_PTR id) {
  if (id != kCountdownTimer && id != kFadeTimer) return;
  ModelView view;
  {
    // A driver call on this thread is pumping messages: skip the tick.
    if (state_.call_lock.HeldByThisThread()) return;
    std::lock_guard<CallLock> lock(state_.call_lock);
    ReceiptWindow& model = state_.Receipt.window();
    if (id == kCountdownTimer) {
      model.CountdownTick();
    } else {
      model.FadeTick();
    }
    view = Observe(model);
  }
  Apply(view, nullptr, false);
}

void ReceiptWindowPresenter::OnUserHide(bool right_click) {
  ModelView view;
  {
    if (state_.call_lock.HeldByThisThread()) return;  // a driver call is pumping messages
    std::lock_guard<CallLock> lock(state_.call_lock);
    ReceiptWindow& model = state_.Receipt.window();
    if (right_click) {
      model.RightClick();
    } else {
      model.CloseBox();
    }
    view = Observe(model);
  }
  Apply(view, nullptr, false);
}

void ReceiptWindowPresenter::OnSize() {
  layout_->SetWidth(ClientWidth(window_));
  UpdateScrollBar();
  InvalidateRect(window_, nullptr, FALSE);
}

void ReceiptWindowPresenter::UpdateScrollBar() {
  // Showing or hiding the scroll bar resizes the client area, which sends
  // WM_SIZE here again and may re-wrap the banners: settle in a few rounds.
  if (updating_scroll_bar_) return;
  updating_scroll_bar_ = true;
  for (int round = 0; round < 3; ++round) {
    const int content = layout_->content_height();
    const int page = ClientHeight(window_);
    scroll_ = std::clamp(scroll_, 0, std::max(0, content - page));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, content - 1);
    info.nPage = static_cast<UINT>(std::max(0, page));
    info.nPos = scroll_;
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
    if (layout_->content_height() == content && ClientHeight(window_) == page) break;
  }
  updating_scroll_bar_ = false;
}

void ReceiptWindowPresenter::Scroll(ScrollRequest request, int value) {
  const int target = ScrollTarget(request, scroll_, value, layout_->row_height(),
                                  ClientHeight(window_), layout_->content_height());
  if (target == scroll_) return;
  scroll_ = target;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS;
  info.nPos = scroll_;
  SetScrollInfo(window_, SB_VERT, &info, TRUE);
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);  // the content follows the thumb while it is dragged
}

void ReceiptWindowPresenter::Paint(HDC dc, const RECT& band) {
  HBRUSH background = CreateSolidBrush(kBackground);
  HBRUSH banner = CreateSolidBrush(kBanner);
  FillRect(dc, &band, background);
  HGDIOBJ old_font = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const int width = ClientWidth(window_);
  const int row_height = layout_->row_height();
  const RowRange rows = layout_->VisibleRows(scroll_, band.top, band.bottom);
  for (std::size_t i = rows.first; i < rows.last; ++i) {
    const int top = layout_->RowTop(i, scroll_);
    RECT row{0, top, width, top + row_height};
    if (layout_->rows()[i].banner) FillRect(dc, &row, banner);
    const std::u16string_view text = layout_->RowText(i);
    if (text.empty()) continue;
    SIZE size{};
    GetTextExtentPoint32W(dc, WideData(text), static_cast<int>(text.size()), &size);
    ExtTextOutW(dc, ReceiptLayout::CentredLeft(size.cx, width), top, ETO_CLIPPED, &row,
                WideData(text), static_cast<UINT>(text.size()), nullptr);
  }
  SelectObject(dc, old_font);
  DeleteObject(banner);
  DeleteObject(background);
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
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window_, &paint);
      const RECT& band = paint.rcPaint;
      const int width = band.right - band.left;
      const int height = band.bottom - band.top;
      if (width > 0 && height > 0) {
        // Drawn off screen and copied in one step, so scrolling does not flicker.
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        if (buffer != nullptr && bitmap != nullptr) {
          HGDIOBJ old_bitmap = SelectObject(buffer, bitmap);
          SetViewportOrgEx(buffer, -band.left, -band.top, nullptr);
          Paint(buffer, band);
          BitBlt(dc, band.left, band.top, width, height, buffer, band.left, band.top, SRCCOPY);
          SelectObject(buffer, old_bitmap);
        } else {
          Paint(dc, band);
        }
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (buffer != nullptr) DeleteDC(buffer);
      }
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_VSCROLL: {
      switch (LOWORD(wparam)) {
        case SB_LINEUP:
          Scroll(ScrollRequest::kLineUp, 0);
          break;
        case SB_LINEDOWN:
          Scroll(ScrollRequest::kLineDown, 0);
          break;
        case SB_PAGEUP:
          Scroll(ScrollRequest::kPageUp, 0);
          break;
        case SB_PAGEDOWN:
          Scroll(ScrollRequest::kPageDown, 0);
          break;
        case SB_TOP:
          Scroll(ScrollRequest::kTop, 0);
          break;
        case SB_BOTTOM:
          Scroll(ScrollRequest::kBottom, 0);
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          // The message's 16-bit position overflows past 65,535 pixels
          // (about 5,000 rows): read the full one.
          SCROLLINFO info{};
          info.cbSize = sizeof(info);
          info.fMask = SIF_TRACKPOS;
          GetScrollInfo(window_, SB_VERT, &info);
          Scroll(ScrollRequest::kTo, info.nTrackPos);
          break;
        }
        default:
          break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      if (lines == WHEEL_PAGESCROLL)
        lines = static_cast<UINT>(ClientHeight(window_) / std::max(1, layout_->row_height()));
      const int delta = GET_WHEEL_DELTA_WPARAM(wparam);
      Scroll(ScrollRequest::kBy,
             MulDiv(-delta, static_cast<int>(lines) * layout_->row_height(), WHEEL_DELTA));
      return 0;
    }
    case WM_RBUTTONDOWN:
      OnUserHide(true);
      return 0;
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wparam & 0xFFF0);
      if (command == kStrictCommand || command == kJournalCommand) {
        OnOptionCommand(command);
        return 0;
      }
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
