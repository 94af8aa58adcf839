// Joins the calling thread to a COM apartment for a scope, when it is not in
// one yet, and leaves it again at the end. A thread already in an apartment
// of either kind keeps it: COM objects created meanwhile work in both.
#pragma once

#include <objbase.h>

namespace kassivo {

class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  HRESULT result_;
};

}  // namespace kassivo
