#include "platform/posix/posix_platform.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "common/text.h"
#include "platform/icu_upper_case.h"
#include "platform/memory_store.h"
#include "platform/posix/json_file_store.h"
#include "platform/posix/locale_number_format.h"
#include "platform/posix/posix_file_appender.h"
#include "platform/posix/pugixml_parser.h"
#include "platform/stream_message_presenter.h"

namespace kassivo {

namespace {

const char* NonEmptyEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

std::string HomeDirectory() {
  if (const char* home = NonEmptyEnvironment("HOME")) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir && *found->pw_dir) {
    return found->pw_dir;
  }
  return ".";
}

// The program's file name, as the kernel knows it (no folders).
std::string ProgramName() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  const std::string_view whole(path, static_cast<std::size_t>(length));
  const std::size_t slash = whole.find_last_of('/');
  return std::string(slash == std::string_view::npos ? whole : whole.substr(slash + 1));
}

}  // namespace

std::uint32_t SeedFromClock() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) ^
                                    (static_cast<std::uint64_t>(wall) >> 32) ^
                                    static_cast<std::uint64_t>(getpid()));
}

std::string DefaultStorePath() {
  if (const char* path = NonEmptyEnvironment("KASSIVO_STORE")) return path;
  // The XDG rules ignore a relative XDG_CONFIG_HOME.
  const char* config = NonEmptyEnvironment("XDG_CONFIG_HOME");
  const std::string base =
      config != nullptr && config[0] == '/' ? std::string(config) : HomeDirectory() + "/.config";
  return base + "/kassivo/registration.json";
}

std::string OptionsStorePath(const std::string& registration_path) {
  const std::size_t slash = registration_path.find_last_of('/');
  if (slash == std::string::npos) return "options.json";
  return registration_path.substr(0, slash + 1) + "options.json";
}

Platform MakePosixPlatform(PosixPlatformOptions options) {
  Platform platform;
  if (options.memory_store) {
    platform.store = std::make_unique<MemoryStore>();
    platform.options_store = std::make_unique<MemoryStore>();
  } else {
    const std::string path = options.store_path.value_or(DefaultStorePath());
    platform.store = std::make_unique<JsonFileStore>(path);
    platform.options_store =
        std::make_unique<JsonFileStore>(OptionsStorePath(path), kOptionsFileKey);
  }
  platform.environment = [](const char* name) -> std::optional<std::u16string> {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return FromUtf8(value);
  };
  platform.xml = std::make_unique<PugixmlParser>();
  platform.upper = std::make_unique<IcuUpperCaser>();
  platform.files = std::make_unique<PosixFileAppender>();
  platform.process = {static_cast<std::uint64_t>(getpid()), FromUtf8(ProgramName())};
  AddCommonServices(options, platform, std::make_unique<StreamMessagePresenter>(stderr),
                    UserNumberFormat);
  return platform;
}

Platform MakeHostPlatform(PlatformOptions options) {
  return MakePosixPlatform(std::move(options));
}

std::unique_ptr<XmlParser> MakeHostXmlParser() {
  return std::make_unique<PugixmlParser>();
}

std::unique_ptr<UpperCaser> MakeHostUpperCaser() {
  return std::make_unique<IcuUpperCaser>();
}

}  // namespace kassivo
