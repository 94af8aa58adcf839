// HResult: what the host's interface answers for a method-table query or a
// call, apart from the call's own result: S_OK (kOk) or S_FALSE (kFalse).
#pragma once

#include <cstdint>

namespace kassivo {

enum class HResult : std::int32_t { kOk = 0, kFalse = 1 };

}  // namespace kassivo
