#include "cli/options.h"

#include <charconv>

#include "cli/literal_reader.h"
#include "common/calendar.h"
#include "common/text.h"

namespace kassivo::cli {

namespace {

// Reads exactly `count` digits at `pos`; -1 when they are not all digits.
int Digits(std::string_view text, std::size_t pos, std::size_t count) {
  if (pos + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::u16string Separator(std::string_view name, std::string_view value, bool may_be_empty) {
  const std::u16string text = IsValidUtf8(value) ? FromUtf8(value) : u"";
  const bool ok = text.size() == 1 || (may_be_empty && value.empty());
  if (!ok || (text.size() == 1 && (text[0] < 0x20 || (text[0] >= '0' && text[0] <= '9')))) {
    throw UsageError("--" + std::string(name) + " needs one character that is not a digit" +
                     (may_be_empty ? " (or nothing)" : ""));
  }
  return text;
}

}  // namespace

std::optional<LocalDateTime> ParseClock(std::string_view text) {
  // 0123456789012345678901
  // YYYY-MM-DDTHH:MM:SS.mmm
  if (text.size() != 23 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != '.') {
    return std::nullopt;
  }
  LocalDateTime time;
  time.year = Digits(text, 0, 4);
  time.month = Digits(text, 5, 2);
  time.day = Digits(text, 8, 2);
  time.hour = Digits(text, 11, 2);
  time.minute = Digits(text, 14, 2);
  time.second = Digits(text, 17, 2);
  time.millisecond = Digits(text, 20, 3);
  if (!IsCalendarDate(time.year, time.month, time.day) || time.hour < 0 || time.hour > 23 ||
      time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59 ||
      time.millisecond < 0) {
    return std::nullopt;
  }
  return time;
}

bool ParseHostOption(std::string_view argument, HostOptions& options) {
  if (!argument.starts_with("--") || argument == "--") return false;
  if (argument == "--strict") {
    options.strict = true;
    return true;
  }
  const std::size_t equals = argument.find('=');
  const std::string_view name =
      argument.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2);
  if (equals == std::string_view::npos) {
    throw UsageError("unknown option '" + std::string(argument) + "'");
  }
  const std::string_view value = argument.substr(equals + 1);
  if (name == "tape") {
    if (value == "entries") {
      options.tape = TapeMode::kEntries;
    } else if (value == "box") {
      options.tape = TapeMode::kBox;
    } else if (value == "none") {
      options.tape = TapeMode::kNone;
    } else {
      throw UsageError("--tape must be entries, box or none");
    }
  } else if (name == "store") {
    if (value.empty()) throw UsageError("--store needs a file name or 'memory'");
    options.memory_store = value == "memory";
    options.store_path.reset();
    if (!options.memory_store) options.store_path = std::string(value);
  } else if (name == "clock") {
    options.clock = ParseClock(value);
    if (!options.clock) throw UsageError("--clock needs a time as YYYY-MM-DDTHH:MM:SS.mmm");
  } else if (name == "seed") {
    std::uint32_t seed = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
    if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
      throw UsageError("--seed needs a number from 0 to 4294967295");
    }
    options.seed = seed;
  } else if (name == "decimal") {
    options.decimal_separator = Separator(name, value, false);
  } else if (name == "thousands") {
    options.thousands_separator = Separator(name, value, true);
  } else {
    throw UsageError("unknown option '" + std::string(argument) + "'");
  }
  return true;
}

void ApplyRunOptions(const HostOptions& options, ProcessState& state) {
  if (options.strict) state.Options.Strict = true;
}

PlatformOptions ToPlatformOptions(const HostOptions& options,
                                  std::unique_ptr<MessagePresenter> messages) {
  PlatformOptions platform;
  platform.store_path = options.store_path;
  platform.memory_store = options.memory_store;
  platform.fixed_clock = options.clock;
  platform.seed = options.seed;
  platform.decimal_separator = options.decimal_separator;
  platform.thousands_separator = options.thousands_separator;
  platform.messages = std::move(messages);
  return platform;
}

}  // namespace kassivo::cli
