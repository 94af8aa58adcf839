#include "host/native/native_values.h"

#include <cstring>
#include <string>

#include "common/text.h"
#include "host/host_numbers.h"

namespace kassivo::native {

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto year_of_era = static_cast<unsigned>(year - era * 400);
  const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + static_cast<std::int64_t>(day_of_era) - 719468;
}

void Clear(tVariant& variant) {
  std::memset(&variant, 0, sizeof variant);
  variant.vt = VTYPE_EMPTY;
}

}  // namespace

double OleDateOf(const std::tm& time) {
  // tm_mon may lie outside 0..11 in a host's value; normalise the year.
  std::int64_t year = static_cast<std::int64_t>(time.tm_year) + 1900 + time.tm_mon / 12;
  int month = time.tm_mon % 12;
  if (month < 0) {
    month += 12;
    --year;
  }
  const std::int64_t days = DaysFromCivil(year, static_cast<unsigned>(month + 1), 1) +
                            (time.tm_mday - 1) - DaysFromCivil(1899, 12, 30);
  const double seconds = time.tm_hour * 3600.0 + time.tm_min * 60.0 + time.tm_sec;
  return static_cast<double>(days) + seconds / 86400.0;
}

Value ValueOfVariant(const tVariant& variant) {
  switch (variant.vt) {
    case VTYPE_PWSTR:
      if (variant.text.pwstrVal == nullptr) return Value::Text(u"");
      return Value::Text(std::u16string(variant.text.pwstrVal, variant.text.wstrLen));
    case VTYPE_PSTR:
      if (variant.bytes.pstrVal == nullptr) return Value::Text(u"");
      return Value::Text(FromUtf8(std::string_view(variant.bytes.pstrVal, variant.bytes.strLen)));
    case VTYPE_BOOL:
      return Value::Boolean(variant.bVal);
    case VTYPE_I1:
      return Value::Integer(variant.i8Val);
    case VTYPE_UI1:
      return Value::Integer(variant.ui8Val);
    case VTYPE_I2:
      return Value::Integer(variant.shortVal);
    case VTYPE_UI2:
      return Value::Integer(variant.ushortVal);
    case VTYPE_I4:
      return Value::Integer(variant.lVal);
    case VTYPE_INT:
      return Value::Integer(variant.intVal);
    case VTYPE_UI4:
      return UnsignedValue(variant.ulVal);
    case VTYPE_UINT:
      return UnsignedValue(variant.uintVal);
    case VTYPE_I8:
      return WholeValue(variant.llVal);
    case VTYPE_UI8:
      return UnsignedValue(variant.ullVal);
    case VTYPE_R4:
      return Value::Real(variant.fltVal);
    case VTYPE_R8:
      return Value::Real(variant.dblVal);
    case VTYPE_DATE:
      return Value::Real(variant.date);
    case VTYPE_TM:
      return Value::Real(OleDateOf(variant.tmVal));
    default:
      return Value();
  }
}

WCHAR_T* HostText(std::u16string_view text, MemoryManager* memory) {
  if (memory == nullptr) return nullptr;
  void* block = nullptr;
  const unsigned long bytes = static_cast<unsigned long>((text.size() + 1) * sizeof(WCHAR_T));
  if (!memory->AllocMemory(&block, bytes) || block == nullptr) return nullptr;
  auto* units = static_cast<WCHAR_T*>(block);
  if (!text.empty()) std::memcpy(units, text.data(), text.size() * sizeof(WCHAR_T));
  units[text.size()] = 0;
  return units;
}

bool PutValue(const Value& value, tVariant& out, MemoryManager* memory) {
  Clear(out);
  switch (value.kind()) {
    case Value::Kind::kEmpty:
      return true;
    case Value::Kind::kText: {
      WCHAR_T* text = HostText(value.text(), memory);
      if (text == nullptr) return false;
      out.text.pwstrVal = text;
      out.text.wstrLen = static_cast<std::uint32_t>(value.text().size());
      out.vt = VTYPE_PWSTR;
      return true;
    }
    case Value::Kind::kBoolean:
      out.bVal = value.boolean();
      out.vt = VTYPE_BOOL;
      return true;
    case Value::Kind::kInteger:
      out.lVal = value.integer();
      out.vt = VTYPE_I4;
      return true;
    case Value::Kind::kReal:
      out.dblVal = value.real();
      out.vt = VTYPE_R8;
      return true;
  }
  return true;
}

ArgumentArray ReadArguments(const tVariant* params, long count) {
  std::vector<Value> values;
  if (params != nullptr && count > 0) {
    values.reserve(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) values.push_back(ValueOfVariant(params[i]));
  }
  return ArgumentArray(std::move(values));
}

bool WriteBack(const ArgumentArray& arguments, tVariant* params, long count,
               MemoryManager* memory) {
  if (params == nullptr) return true;
  bool all = true;
  for (long i = 0; i < count; ++i) {
    if (!arguments.WasWritten(i)) continue;
    tVariant& slot = params[i];
    void* old = slot.vt == VTYPE_PWSTR ? static_cast<void*>(slot.text.pwstrVal)
                : slot.vt == VTYPE_PSTR || slot.vt == VTYPE_BLOB ? slot.bytes.pstrVal
                                                                 : nullptr;
    if (old != nullptr && memory != nullptr) memory->FreeMemory(&old);
    if (!PutValue(arguments.At(i), slot, memory)) all = false;
  }
  return all;
}

}  // namespace kassivo::native
