#include "platform/windows/registry_store.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/windows/wide_text.h"

namespace kassivo {

namespace {

// Closes a key handle when it goes out of scope.
class KeyHandle {
 public:
  KeyHandle() = default;
  explicit KeyHandle(HKEY key) : key_(key) {}
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  ~KeyHandle() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::u16string TextOfData(const std::vector<BYTE>& data, DWORD size) {
  const std::size_t units = size / sizeof(wchar_t);
  std::u16string text(units, u'\0');
  if (units > 0) std::memcpy(text.data(), data.data(), units * sizeof(wchar_t));
  const std::size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) text.resize(nul);
  return text;
}

class RegistryWriter : public StoreWriter {
 public:
  explicit RegistryWriter(HKEY key) : key_(key) {}

  bool Write(const std::u16string& name, const StoredValue& value) override {
    switch (value.type) {
      case StoredValue::Type::kText:
      case StoredValue::Type::kExpandText: {
        const DWORD type = value.type == StoredValue::Type::kText ? REG_SZ : REG_EXPAND_SZ;
        const auto bytes = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_.get(), Wide(name), 0, type,
                              reinterpret_cast<const BYTE*>(value.text.c_str()),
                              bytes) == ERROR_SUCCESS;
      }
      case StoredValue::Type::kDWord: {
        const DWORD number = value.dword;
        return RegSetValueExW(key_.get(), Wide(name), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number),
                              sizeof number) == ERROR_SUCCESS;
      }
      case StoredValue::Type::kOther:
        return false;  // nothing to write it as
    }
    return false;
  }

  bool Commit() override { return true; }

 private:
  KeyHandle key_;
};

}  // namespace

std::optional<StoredValues> RegistryStore::Read() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root_, Wide(key_path_), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const KeyHandle key(opened);
  DWORD count = 0, longest_name = 0, longest_data = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       &longest_name, &longest_data, nullptr, nullptr) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  StoredValues values;
  std::vector<wchar_t> name;
  std::vector<BYTE> data;
  for (DWORD index = 0;; ++index) {
    // Another process may add a longer value between the query and the
    // enumeration: grow and ask again.
    name.resize(longest_name + 1);
    data.resize(longest_data + sizeof(wchar_t));
    DWORD name_length = static_cast<DWORD>(name.size());
    DWORD data_size = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LSTATUS status = RegEnumValueW(key.get(), index, name.data(), &name_length, nullptr,
                                         &type, data.data(), &data_size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_MORE_DATA) {
      longest_name = longest_name * 2 + 256;
      longest_data = std::max<DWORD>(longest_data * 2, data_size) + 256;
      --index;
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    StoredValue value;
    switch (type) {
      case REG_SZ:
      case REG_EXPAND_SZ:
        value.type = type == REG_SZ ? StoredValue::Type::kText : StoredValue::Type::kExpandText;
        value.text = TextOfData(data, data_size);
        break;
      case REG_DWORD:
        if (data_size == sizeof(DWORD)) {
          value.type = StoredValue::Type::kDWord;
          std::memcpy(&value.dword, data.data(), sizeof(DWORD));
        } else {
          value.type = StoredValue::Type::kOther;
        }
        break;
      default:
        value.type = StoredValue::Type::kOther;
        break;
    }
    values[FromWide(name.data(), name_length)] = std::move(value);
  }
  return values;
}

std::unique_ptr<StoreWriter> RegistryStore::OpenForWrite() {
  HKEY created = nullptr;
  if (RegCreateKeyExW(root_, Wide(key_path_), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                      nullptr, &created, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<RegistryWriter>(created);
}

}  // namespace kassivo
