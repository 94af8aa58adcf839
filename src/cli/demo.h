// The built-in demo: a cashier's whole day as a session script, played by
// `kassivo demo` on an in-memory store and drawn as receipts.
#pragma once

#include <string_view>

namespace kassivo::cli {

std::string_view DemoScript();

}  // namespace kassivo::cli
