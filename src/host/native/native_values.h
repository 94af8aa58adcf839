// Driver values at the native add-in boundary: tVariant and the host's
// memory manager.
//
// ValueOfVariant maps every kind a host may pass to the nearest of the
// driver's five kinds, as the COM binding maps its VARIANTs:
//   EMPTY, NULL, ERROR (an omitted argument)              empty
//   PWSTR (a null pointer is the empty text)              text
//   PSTR (UTF-8 bytes)                            text
//   BOOL                                                  boolean
//   I1, I2, I4, INT, UI1, UI2                             integer
//   UI4, UINT, I8, UI8                                    integer when the value
//                                                         fits 32 bits, else real
//   R4, R8, DATE (the OLE date number)                    real
//   TM (a calendar time)                                  real: its OLE date number
//   anything else (BLOB, CLSID, interfaces)               empty
//
// What the add-in hands to the host is EMPTY, PWSTR, BOOL, I4 or R8; a text
// is allocated with the host's AllocMemory, terminated by a zero unit.
// HostText gives null when there is no memory manager or it refuses.
#pragma once

#include <string_view>

#include "common/value.h"
#include "host/native/addin_abi.h"

namespace kassivo::native {

Value ValueOfVariant(const tVariant& variant);

// The OLE date number of a calendar time (days since 1899-12-30).
double OleDateOf(const std::tm& time);

WCHAR_T* HostText(std::u16string_view text, MemoryManager* memory);

// Writes `value` into `out`, which must hold nothing the add-in should free.
// False when a text could not be allocated: `out` is then EMPTY.
bool PutValue(const Value& value, tVariant& out, MemoryManager* memory);

// The `count` values at `params` (none when it is null or `count` < 1).
ArgumentArray ReadArguments(const tVariant* params, long count);

// Puts each element the call wrote back into `params`, and no other; a text
// the element held is given back to the host's FreeMemory first. False when
// a text could not be allocated (that element is left EMPTY).
bool WriteBack(const ArgumentArray& arguments, tVariant* params, long count, MemoryManager* memory);

}  // namespace kassivo::native
