// The receipt window's painting: the rows of the painted band, drawn off
// screen and copied in one step.
#include <windows.h>

#include <algorithm>

#include "host/window/receipt_window_presenter.h"
#include "host/window/receipt_window_win32.h"

namespace kassivo {

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 210);
constexpr COLORREF kBanner = RGB(255, 108, 108);
constexpr COLORREF kStatus = RGB(255, 200, 140);

}  // namespace

using receipt_window::ClientHeight;
using receipt_window::ClientWidth;
using receipt_window::WideData;

void ReceiptWindowPresenter::OnPaint() {
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
  if (!status_.empty()) {
    // The status line over the bottom of the tape, which scrolls above it.
    const int bottom = ClientHeight(window_);
    RECT bar{0, bottom - row_height, width, bottom};
    HBRUSH status = CreateSolidBrush(kStatus);
    FillRect(dc, &bar, status);
    DeleteObject(status);
    SIZE size{};
    GetTextExtentPoint32W(dc, WideData(status_), static_cast<int>(status_.size()), &size);
    ExtTextOutW(dc, std::max(0, ReceiptLayout::CentredLeft(size.cx, width)), bar.top, ETO_CLIPPED,
                &bar, WideData(status_), static_cast<UINT>(status_.size()), nullptr);
  }
  SelectObject(dc, old_font);
  DeleteObject(banner);
  DeleteObject(background);
}

}  // namespace kassivo
