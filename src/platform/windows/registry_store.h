// The registration store in the Windows registry: the values of one key
// (by default HKEY_CURRENT_USER\Software\Orvelle\Kassivo).
//
//  - Read: the key opened for reading; a key that is missing or cannot be
//    opened reads as nullopt. REG_SZ and REG_EXPAND_SZ read as texts (never
//    expanded, cut at the first NUL, empty data the empty text), REG_DWORD as
//    a DWORD, every other type as StoredValue::Type::kOther.
//  - OpenForWrite: the key created or opened for writing, with the keys
//    above it; null when that fails. Writes go straight to the registry
//    (REG_SZ with its terminating NUL, REG_EXPAND_SZ, REG_DWORD); Commit has
//    nothing left to do.
#pragma once

#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace kassivo {

inline constexpr const char16_t* kRegistrationKeyPath = u"Software\\Orvelle\\Kassivo";

class RegistryStore : public RegistrationStore {
 public:
  explicit RegistryStore(HKEY root = HKEY_CURRENT_USER,
                         std::u16string key_path = kRegistrationKeyPath)
      : root_(root), key_path_(std::move(key_path)) {}

  std::optional<StoredValues> Read() override;
  std::unique_ptr<StoreWriter> OpenForWrite() override;

 private:
  HKEY root_;
  std::u16string key_path_;
};

}  // namespace kassivo
