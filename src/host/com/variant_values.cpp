#include "host/com/variant_values.h"

#include <oleauto.h>

#include <cstdint>
#include <new>

#include "host/host_numbers.h"
#include "platform/windows/wide_text.h"

namespace kassivo::com {

namespace {

Value TextValue(BSTR text) {
  return Value::Text(text == nullptr ? std::u16string() : FromWide(text, SysStringLen(text)));
}

Value DecimalValue(DECIMAL number) {
  double real = 0;
  if (FAILED(VarR8FromDec(&number, &real))) return Value();
  return number.scale == 0 ? NumberValue(real) : Value::Real(real);
}

// The value a by-reference variant refers to; `depth` stops a chain of
// references to variants (which COM does not allow, but a host may build).
Value ValueOfReference(const VARIANT& variant, int depth) {
  const VARTYPE type = variant.vt & ~VT_BYREF;
  if (variant.byref == nullptr) return Value();
  switch (type) {
    case VT_VARIANT:
      if (depth > 0) return Value();
      {
        const VARIANT& inner = *variant.pvarVal;
        if ((inner.vt & VT_BYREF) != 0) return ValueOfReference(inner, depth + 1);
        return ValueOfVariant(inner);
      }
    case VT_BSTR:
      return TextValue(*variant.pbstrVal);
    case VT_BOOL:
      return Value::Boolean(*variant.pboolVal != VARIANT_FALSE);
    case VT_I1:
      return Value::Integer(*variant.pcVal);
    case VT_UI1:
      return Value::Integer(*variant.pbVal);
    case VT_I2:
      return Value::Integer(*variant.piVal);
    case VT_UI2:
      return Value::Integer(*variant.puiVal);
    case VT_I4:
      return Value::Integer(*variant.plVal);
    case VT_INT:
      return Value::Integer(*variant.pintVal);
    case VT_UI4:
      return UnsignedValue(*variant.pulVal);
    case VT_UINT:
      return UnsignedValue(*variant.puintVal);
    case VT_I8:
      return WholeValue(*variant.pllVal);
    case VT_UI8:
      return UnsignedValue(*variant.pullVal);
    case VT_R4:
      return Value::Real(*variant.pfltVal);
    case VT_R8:
      return Value::Real(*variant.pdblVal);
    case VT_DATE:
      return Value::Real(*variant.pdate);
    case VT_CY:
      return Value::Real(static_cast<double>(variant.pcyVal->int64) / 10000.0);
    case VT_DECIMAL:
      return DecimalValue(*variant.pdecVal);
    default:
      return Value();
  }
}

}  // namespace

Value ValueOfVariant(const VARIANT& variant) {
  if ((variant.vt & VT_BYREF) != 0) return ValueOfReference(variant, 0);
  switch (variant.vt) {
    case VT_BSTR:
      return TextValue(variant.bstrVal);
    case VT_BOOL:
      return Value::Boolean(variant.boolVal != VARIANT_FALSE);
    case VT_I1:
      return Value::Integer(variant.cVal);
    case VT_UI1:
      return Value::Integer(variant.bVal);
    case VT_I2:
      return Value::Integer(variant.iVal);
    case VT_UI2:
      return Value::Integer(variant.uiVal);
    case VT_I4:
      return Value::Integer(variant.lVal);
    case VT_INT:
      return Value::Integer(variant.intVal);
    case VT_UI4:
      return UnsignedValue(variant.ulVal);
    case VT_UINT:
      return UnsignedValue(variant.uintVal);
    case VT_I8:
      return WholeValue(variant.llVal);
    case VT_UI8:
      return UnsignedValue(variant.ullVal);
    case VT_R4:
      return Value::Real(variant.fltVal);
    case VT_R8:
      return Value::Real(variant.dblVal);
    case VT_DATE:
      return Value::Real(variant.date);
    case VT_CY:
      return Value::Real(static_cast<double>(variant.cyVal.int64) / 10000.0);
    case VT_DECIMAL:
      return DecimalValue(variant.decVal);
    default:
      return Value();  // VT_EMPTY, VT_NULL, VT_ERROR, objects, arrays
  }
}

void VariantOfValue(const Value& value, VARIANT& out) {
  VariantClear(&out);
  switch (value.kind()) {
    case Value::Kind::kEmpty:
      out.vt = VT_EMPTY;
      return;
    case Value::Kind::kText: {
      const std::u16string& text = value.text();
      BSTR copy = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                    static_cast<UINT>(text.size()));
      if (copy == nullptr) throw std::bad_alloc();
      out.vt = VT_BSTR;
      out.bstrVal = copy;
      return;
    }
    case Value::Kind::kBoolean:
      out.vt = VT_BOOL;
      out.boolVal = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case Value::Kind::kInteger:
      out.vt = VT_I4;
      out.lVal = value.integer();
      return;
    case Value::Kind::kReal:
      out.vt = VT_R8;
      out.dblVal = value.real();
      return;
  }
}

namespace {

// The bounds of a usable argument array, or false.
bool Bounds(SAFEARRAY* array, LONG& lower, LONG& upper) {
  if (array == nullptr || SafeArrayGetDim(array) != 1) return false;
  VARTYPE type = VT_EMPTY;
  if (FAILED(SafeArrayGetVartype(array, &type)) || type != VT_VARIANT) return false;
  return SUCCEEDED(SafeArrayGetLBound(array, 1, &lower)) &&
         SUCCEEDED(SafeArrayGetUBound(array, 1, &upper));
}

}  // namespace

ArgumentArray ReadArguments(SAFEARRAY* array) {
  LONG lower = 0, upper = -1;
  if (!Bounds(array, lower, upper) || upper < lower) return ArgumentArray();
  std::vector<Value> values;
  values.reserve(static_cast<std::size_t>(static_cast<std::int64_t>(upper) - lower + 1));
  for (LONG index = lower;; ++index) {
    ScopedVariant element;
    if (SUCCEEDED(SafeArrayGetElement(array, &index, &element.get()))) {
      values.push_back(ValueOfVariant(element.get()));
    } else {
      values.emplace_back();
    }
    if (index == upper) break;
  }
  return ArgumentArray(std::move(values));
}

bool WriteBack(const ArgumentArray& arguments, SAFEARRAY* array) {
  LONG lower = 0, upper = -1;
  if (!Bounds(array, lower, upper)) return arguments.size() == 0;
  bool all = true;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (!arguments.WasWritten(static_cast<std::int64_t>(i))) continue;
    LONG index = lower + static_cast<LONG>(i);
    ScopedVariant element;
    VariantOfValue(arguments.Get(static_cast<std::int64_t>(i)), element.get());
    if (FAILED(SafeArrayPutElement(array, &index, &element.get()))) all = false;
  }
  return all;
}

}  // namespace kassivo::com
