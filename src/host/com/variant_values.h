// Driver values at the COM boundary: VARIANTs and the host's SAFEARRAY of
// arguments.
//
// ValueOfVariant maps every kind a host may pass to the nearest of the
// driver's five kinds:
//   VT_EMPTY, VT_NULL, VT_ERROR (an omitted argument)      empty
//   VT_BSTR (a null BSTR is the empty text)                text
//   VT_BOOL                                                boolean
//   VT_I1, VT_I2, VT_I4, VT_INT, VT_UI1, VT_UI2            integer
//   VT_UI4, VT_UINT, VT_I8, VT_UI8, VT_DECIMAL             integer when the value
//                                                          is whole and fits 32 bits,
//                                                          otherwise real
//   VT_R4, VT_R8, VT_CY, VT_DATE (the OLE date number)     real
//   VT_BYREF of any of these, VT_BYREF|VT_VARIANT          the value referred to
//   anything else (objects, arrays, null references)       empty
//
// VariantOfValue gives VT_EMPTY, VT_BSTR, VT_BOOL, VT_I4 or VT_R8.
//
// ReadArguments reads the elements of a one-dimensional SAFEARRAY of VARIANT,
// from its lower bound on; an array that is null, of another element type or
// of more dimensions reads as no elements (so every argument reads empty).
// WriteBack puts each element the call wrote back into the same array with
// SafeArrayPutElement, and no other.
#pragma once

#include <oaidl.h>

#include "common/value.h"

namespace kassivo::com {

Value ValueOfVariant(const VARIANT& variant);

// Fills `out` (which must be initialised) with the value; throws
// std::bad_alloc when a text cannot be allocated.
void VariantOfValue(const Value& value, VARIANT& out);

ArgumentArray ReadArguments(SAFEARRAY* array);
// False when an element could not be written.
bool WriteBack(const ArgumentArray& arguments, SAFEARRAY* array);

// Owns a VARIANT for a scope.
class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&variant_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  ~ScopedVariant() { VariantClear(&variant_); }
  VARIANT& get() { return variant_; }

 private:
  VARIANT variant_;
};

}  // namespace kassivo::com
