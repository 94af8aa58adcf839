// The kassivo session-script parser over arbitrary text: every line either
// parses or is refused with a ScriptError; nothing else may escape.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "script/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // "@x.xml" reads a small document; any other file is missing.
  const kassivo::FileLoader load = [](const std::string& path) -> std::optional<std::string> {
    if (path == "x.xml") return std::string("<R A=\"Ж\"/>");
    return std::nullopt;
  };
  std::size_t start = 0;
  bool first = true;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    try {
      kassivo::ParseStatement(text.substr(start, end - start), first, load);
    } catch (const kassivo::ScriptError&) {
    }
    first = false;
    start = end + 1;
  }
  return 0;
}
