#include "cli/options_command.h"

#include <filesystem>
#include <optional>

#include "cli/options.h"
#include "common/text.h"
#include "device/options_store.h"

namespace kassivo::cli {

namespace {

void List(const DriverOptions& options, std::ostream& out) {
  out << "strict: " << (options.Strict ? "on" : "off") << " (" << OriginName(options.Origin.Strict)
      << ")\n";
  out << "journal: " << (options.Journal.empty() ? "off" : ToUtf8(options.Journal)) << " ("
      << OriginName(options.Origin.Journal) << ")\n";
}

std::u16string AbsoluteJournalPath(const std::string& argument) {
  std::error_code error;
  const std::filesystem::path path =
      std::filesystem::absolute(std::filesystem::path(FromUtf8(argument)), error);
  if (error) throw UsageError("journal: cannot resolve the path '" + argument + "'");
  return path.lexically_normal().u16string();
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
    throw UsageError("options takes nothing, 'strict on|off' or 'journal PATH|off'");
  }
  std::optional<bool> strict;
  std::optional<std::u16string> journal;
  if (words.size() == 2) {
    if (words[0] == "strict") {
      if (words[1] != "on" && words[1] != "off") throw UsageError("strict must be on or off");
      strict = words[1] == "on";
    } else if (words[0] == "journal") {
      if (words[1].empty()) throw UsageError("journal needs a file name or off");
      journal = words[1] == "off" ? std::u16string() : AbsoluteJournalPath(words[1]);
    } else {
      throw UsageError("unknown option '" + words[0] + "' (strict or journal)");
    }
  }

  Platform platform = MakeHostPlatform(ToPlatformOptions(host, nullptr));
  RegistrationStore* store = platform.options_store.get();
  const bool saved = strict    ? SaveStrict(store, *strict)
                     : journal ? SaveJournal(store, *journal)
                               : true;
  if (!saved) {
    console.out.flush();
    console.err << "kassivo: the options store cannot be written; nothing was saved\n";
    return 1;
  }
  const DriverOptions options = ReadDriverOptions(store, platform.environment);
  List(options, console.out);
  if (strict && options.Origin.Strict == OptionOrigin::kEnvironment) {
    console.out << "(saved; " << kStrictVariable << " overrides it in this environment)\n";
  }
  if (journal && options.Origin.Journal == OptionOrigin::kEnvironment) {
    console.out << "(saved; " << kJournalVariable << " overrides it in this environment)\n";
  }
  if (platform.environment && options.Origin.Strict != OptionOrigin::kEnvironment) {
    if (const std::optional<std::u16string> ignored = platform.environment(kStrictVariable);
        ignored && !ignored->empty()) {
      console.out << "(" << kStrictVariable << "=" << ToUtf8(*ignored)
                  << " is ignored: it must be 1 or 0)\n";
    }
  }
  return 0;
}

}  // namespace kassivo::cli
