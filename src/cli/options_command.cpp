#include "cli/options_command.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <utility>

#include "cli/options.h"
#include "common/text.h"
#include "device/driver_option_table.h"
#include "device/options_store.h"
#include "device/set_driver_option.h"

namespace kassivo::cli {

namespace {

// One line per option: "strict: on (store)", "journal: off (default)".
void List(const DriverOptions& options, std::ostream& out) {
  for (const DriverOptionRow& row : kDriverOptionRows) {
    out << row.name << ": ";
    if (row.flag != nullptr) {
      out << (options.*row.flag ? "on" : "off");
    } else {
      const std::u16string& text = options.*row.text;
      out << (text.empty() ? "off" : ToUtf8(text));
    }
    out << " (" << OriginName(options.Origin.*row.origin) << ")\n";
  }
}

std::u16string AbsoluteJournalPath(const std::string& argument) {
  std::error_code error;
  const std::filesystem::path path =
      std::filesystem::absolute(std::filesystem::path(FromUtf8(argument)), error);
  if (error) throw UsageError("journal: cannot resolve the path '" + argument + "'");
  return path.lexically_normal().u16string();
}

// What the words ask to save: one option, set in a record of kassivo's own
// (a driver process reads the store when it loads).
struct Change {
  const DriverOptionRow* row = nullptr;
  std::function<OptionSave(DriverOptions&, RegistrationStore*)> set;
};

Change ParseChange(const std::vector<std::string>& words) {
  if (words.empty()) return {};
  if (words[0] == "strict") {
    if (words[1] != "on" && words[1] != "off") throw UsageError("strict must be on or off");
    return {&RowOf(&DriverOptions::Strict),
            [on = words[1] == "on"](DriverOptions& options, RegistrationStore* store) {
              return SetDriverOption(options, &DriverOptions::Strict, on, store);
            }};
  }
  if (words[0] == "journal") {
    if (words[1].empty()) throw UsageError("journal needs a file name or off");
    std::u16string journal = words[1] == "off" ? std::u16string() : AbsoluteJournalPath(words[1]);
    return {&RowOf(&DriverOptions::Journal),
            [journal = std::move(journal)](DriverOptions& options, RegistrationStore* store) {
              return SetDriverOption(options, &DriverOptions::Journal, journal, store);
            }};
  }
  if (words[0] == "fault-actions") {
    if (words[1] != "on" && words[1] != "off") throw UsageError("fault-actions must be on or off");
    return {&RowOf(&DriverOptions::FaultActions),
            [on = words[1] == "on"](DriverOptions& options, RegistrationStore* store) {
              return SetDriverOption(options, &DriverOptions::FaultActions, on, store);
            }};
  }
  throw UsageError("unknown option '" + words[0] + "' (strict, journal or fault-actions)");
}

}  // namespace

int OptionsCommand(const std::vector<std::string>& args, Console& console) {
  HostOptions host;
  std::size_t i = 1;
  for (; i < args.size() && args[i].starts_with("--"); ++i) {
    if (!args[i].starts_with("--store=")) {
      throw UsageError("options takes only --store=PATH|memory, not '" + args[i] + "'");
    }
    ParseHostOption(args[i], host);
  }
  const std::vector<std::string> words(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  if (words.size() == 1 || words.size() > 2) {
    throw UsageError(
        "options takes nothing, 'strict on|off', 'journal PATH|off' or 'fault-actions on|off'");
  }
  const Change change = ParseChange(words);

  Platform platform = MakeHostPlatform(ToPlatformOptions(host, nullptr));
  RegistrationStore* store = platform.options_store.get();
  if (change.set) {
    DriverOptions changed;
    if (!change.set(changed, store).saved) {
      console.out.flush();
      console.err << "kassivo: the options store cannot be written; nothing was saved\n";
      return 1;
    }
  }
  const DriverOptions options = ReadDriverOptions(store, platform.environment);
  List(options, console.out);
  if (change.row != nullptr && options.Origin.*change.row->origin == OptionOrigin::kEnvironment) {
    console.out << "(saved; " << change.row->variable << " overrides it in this environment)\n";
  }
  if (!platform.environment) return 0;
  for (const DriverOptionRow& row : kDriverOptionRows) {
    if (row.flag == nullptr || options.Origin.*row.origin == OptionOrigin::kEnvironment) continue;
    if (const std::optional<std::u16string> ignored = platform.environment(row.variable);
        ignored && !ignored->empty()) {
      console.out << "(" << row.variable << "=" << ToUtf8(*ignored)
                  << " is ignored: it must be 1 or 0)\n";
    }
  }
  return 0;
}

}  // namespace kassivo::cli
