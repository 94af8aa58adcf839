#include "cli/options.h"

#include <charconv>

#include "common/text.h"
#include "device/fault_option.h"
#include "device/faults.h"
#include "script/literal_reader.h"
#include "script/moment.h"

namespace kassivo::cli {

namespace {

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
  } else if (name == "faults") {
    FaultSet scratch;
    FaultActions actions;
    std::u16string error;
    if (!IsValidUtf8(value) || !ApplyFaultSpec(FromUtf8(value), {}, scratch, actions, error)) {
      throw UsageError("--faults: " + (error.empty() ? "not valid UTF-8" : ToUtf8(error)));
    }
    options.faults = FromUtf8(value);
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
  if (options.faults) state.Options.Faults = *options.faults;
  ApplyFaultsOption(state);
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
