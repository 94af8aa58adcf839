// The receipt window's painting: the rows of the painted band, drawn off
// screen and copied in one step.
#include <windows.h>

#include "host/com/window/receipt_window_presenter.h"
#include "host/com/window/receipt_window_win32.h"

namespace kassivo {

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 210);
constexpr COLORREF kBanner = RGB(255, 108, 108);

}  // namespace

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
  SelectObject(dc, old_font);
  DeleteObject(banner);
  DeleteObject(background);
}

}  // namespace kassivo
