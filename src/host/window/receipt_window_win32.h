// Small Win32 helpers shared by the receipt window presenter's files: a
// UTF-16 view handed to the wide-character API (not null-terminated: pass its
// length too), and the size of a window's client area in pixels.
#pragma once

#include <windows.h>

#include <string_view>

namespace kassivo::receipt_window {

inline const wchar_t* WideData(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

inline int ClientHeight(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.bottom - client.top;
}

inline int ClientWidth(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.right - client.left;
}

}  // namespace kassivo::receipt_window
