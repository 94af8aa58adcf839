#include "cli/faults_command.h"

#include "cli/fault_catalogue.h"
#include "cli/options.h"
#include "common/text.h"
#include "device/faults.h"
#include "device/options_store.h"
#include "device/set_driver_option.h"
#include "script/literal_reader.h"

namespace kassivo::cli {

namespace {

// The grammar's error for `spec`; empty when it reads.
std::u16string SpecError(const std::u16string& spec) {
  FaultSet scratch;
  FaultActions actions;
  std::u16string error;
  ApplyFaultSpec(spec, {}, scratch, actions, error);
  return error;
}

void Show(const DriverOptions& options, std::ostream& out) {
  const std::u16string& faults = options.Faults;
  out << "faults: " << (faults.empty() ? "none" : ToUtf8(faults));
  const OptionOrigin origin = options.Origin.Faults;
  out << " (" << OriginName(origin);
  if (origin == OptionOrigin::kEnvironment) out << ": " << kFaultsVariable;
  out << ")\n";
  if (const std::u16string error = SpecError(faults); !error.empty()) {
    out << "(not set in a process: " << ToUtf8(error) << ")\n";
  }
  out << "fault-actions: " << (options.FaultActions ? "on" : "off") << " ("
      << OriginName(options.Origin.FaultActions) << ")\n";
}

}  // namespace

int FaultsCommand(const std::vector<std::string>& args, Console& console) {
  HostOptions host;
  std::size_t i = 1;
  for (; i < args.size() && args[i].starts_with("--"); ++i) {
    if (!args[i].starts_with("--store=")) {
      throw UsageError("faults takes only --store=PATH|memory, not '" + args[i] + "'");
    }
    ParseHostOption(args[i], host);
  }
  const std::vector<std::string> words(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  std::optional<std::u16string> change;
  if (!words.empty()) {
    if (words[0] == "list" && words.size() == 1) {
      PrintFaultCatalogue(console.out);
      return 0;
    }
    if (words[0] == "clear" && words.size() == 1) {
      change.emplace();
    } else if (words[0] == "set" && words.size() == 2) {
      if (!IsValidUtf8(words[1])) throw UsageError("faults set: FAULTS is not valid UTF-8");
      change = FromUtf8(words[1]);
      if (const std::u16string error = SpecError(*change); !error.empty()) {
        throw UsageError("faults set: " + ToUtf8(error));
      }
      if (*change == u"clear") change->clear();
    } else {
      throw UsageError("faults takes nothing, 'set FAULTS', 'clear' or 'list'");
    }
  }

  Platform platform = MakeHostPlatform(ToPlatformOptions(host, nullptr));
  RegistrationStore* store = platform.options_store.get();
  if (change) {
    DriverOptions changed;
    if (!SetDriverOption(changed, &DriverOptions::Faults, *change, store).saved) {
      console.out.flush();
      console.err << "kassivo: the options store cannot be written; nothing was saved\n";
      return 1;
    }
  }
  const DriverOptions options = ReadDriverOptions(store, platform.environment);
  Show(options, console.out);
  if (!change) return 0;
  console.out << "(saved: host processes started from now on begin with these faults; a "
                 "process already running keeps its own)\n";
  if (options.Origin.Faults == OptionOrigin::kEnvironment) {
    console.out << "(" << kFaultsVariable << " overrides it in this environment)\n";
  }
  return 0;
}

}  // namespace kassivo::cli
