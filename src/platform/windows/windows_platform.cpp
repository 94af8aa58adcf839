#include "platform/windows/windows_platform.h"

#include <windows.h>

#include <chrono>
#include <vector>

#include "common/text.h"
#include "platform/memory_store.h"
#include "platform/windows/message_box_presenter.h"
#include "platform/windows/msxml_parser.h"
#include "platform/windows/regional_number_format.h"
#include "platform/windows/registry_store.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_file_appender.h"
#include "platform/windows/windows_upper_case.h"

namespace kassivo {

std::uint32_t SeedFromClock() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(counter.QuadPart) ^
                                    (static_cast<std::uint64_t>(wall) >> 32) ^
                                    static_cast<std::uint64_t>(wall) ^ GetCurrentProcessId());
}

namespace {

std::optional<std::u16string> EnvironmentVariable(const char* name) {
  const std::u16string wide_name = FromUtf8(name);
  std::vector<wchar_t> value(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length =
        GetEnvironmentVariableW(Wide(wide_name), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::u16string();
    }
    if (length < value.size()) return FromWide(value.data(), length);
    value.resize(length);  // the size needed, with the terminating NUL
  }
}

// The host program's file name (without folders).
std::u16string ProgramName() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      const std::u16string whole = FromWide(path.data(), length);
      const std::size_t slash = whole.find_last_of(u"\\/");
      return slash == std::u16string::npos ? whole : whole.substr(slash + 1);
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace

Platform MakeWindowsPlatform(PlatformOptions options) {
  Platform platform;
  if (options.memory_store) {
    platform.store = std::make_unique<MemoryStore>();
    platform.options_store = std::make_unique<MemoryStore>();
  } else {
    const std::u16string key =
        options.store_path ? FromUtf8(*options.store_path) : std::u16string(kRegistrationKeyPath);
    platform.store = std::make_unique<RegistryStore>(HKEY_CURRENT_USER, key);
    platform.options_store = std::make_unique<RegistryStore>(HKEY_CURRENT_USER, key + u"\\Options");
  }
  platform.environment = EnvironmentVariable;
  platform.xml = std::make_unique<MsxmlParser>();
  platform.upper = std::make_unique<WindowsUpperCaser>();
  platform.files = std::make_unique<WindowsFileAppender>();
  platform.process = {GetCurrentProcessId(), ProgramName()};
  AddCommonServices(options, platform, std::make_unique<MessageBoxPresenter>(),
                    RegionalNumberFormat);
  return platform;
}

Platform MakeHostPlatform(PlatformOptions options) {
  return MakeWindowsPlatform(std::move(options));
}

std::unique_ptr<XmlParser> MakeHostXmlParser() {
  return std::make_unique<MsxmlParser>();
}

std::unique_ptr<UpperCaser> MakeHostUpperCaser() {
  return std::make_unique<WindowsUpperCaser>();
}

}  // namespace kassivo
