// The receipt window's vertical scrolling: the scroll bar kept in line with
// the layout and the client area, and the scroll bar's and the wheel's
// requests turned into a scroll position.
#include <windows.h>

#include <algorithm>

#include "host/window/receipt_window_presenter.h"
#include "host/window/receipt_window_win32.h"

namespace kassivo {

using receipt_window::ClientHeight;
using receipt_window::ClientWidth;

int ReceiptWindowPresenter::TapeHeight() const {
  const int height = ClientHeight(window_);
  if (status_.empty() || layout_ == nullptr) return height;
  return std::max(0, height - layout_->row_height());
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
    const int page = TapeHeight();
    scroll_ = std::clamp(scroll_, 0, std::max(0, content - page));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, content - 1);
    info.nPage = static_cast<UINT>(std::max(0, page));
    info.nPos = scroll_;
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
    if (layout_->content_height() == content && TapeHeight() == page) break;
  }
  updating_scroll_bar_ = false;
}

void ReceiptWindowPresenter::Scroll(ScrollRequest request, int value) {
  const int target = ScrollTarget(request, scroll_, value, layout_->row_height(), TapeHeight(),
                                  layout_->content_height());
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

void ReceiptWindowPresenter::OnVerticalScroll(WORD code) {
  switch (code) {
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
}

void ReceiptWindowPresenter::OnMouseWheel(WPARAM wparam) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == WHEEL_PAGESCROLL)
    lines = static_cast<UINT>(TapeHeight() / std::max(1, layout_->row_height()));
  const int delta = GET_WHEEL_DELTA_WPARAM(wparam);
  Scroll(ScrollRequest::kBy,
         MulDiv(-delta, static_cast<int>(lines) * layout_->row_height(), WHEEL_DELTA));
}

}  // namespace kassivo
