#include "platform/posix/json_file_store.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>

#include "common/text.h"

namespace kassivo {

namespace {

constexpr const char* kText = "REG_SZ";
constexpr const char* kExpandText = "REG_EXPAND_SZ";
constexpr const char* kDWord = "REG_DWORD";

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::optional<StoredValue> ParseValue(const nlohmann::json& json) {
  if (!json.is_object() || json.size() != 2 || !json.contains("type") || !json.contains("data")) {
    return std::nullopt;
  }
  const nlohmann::json& type = json["type"];
  const nlohmann::json& data = json["data"];
  if (!type.is_string()) return std::nullopt;
  const std::string& type_name = type.get_ref<const std::string&>();
  if (type_name == kText || type_name == kExpandText) {
    if (!data.is_string()) return std::nullopt;
    StoredValue value = StoredValue::Text(FromUtf8(data.get_ref<const std::string&>()));
    if (type_name == kExpandText) value.type = StoredValue::Type::kExpandText;
    return value;
  }
  if (type_name == kDWord) {
    // A negative number parses as number_integer, a fraction or an
    // overlong number as number_float: all three are refused.
    if (!data.is_number_unsigned()) return std::nullopt;
    const std::uint64_t number = data.get<std::uint64_t>();
    if (number > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return StoredValue::DWord(static_cast<std::uint32_t>(number));
  }
  return std::nullopt;
}

}  // namespace

std::string StoreFileText(const StoredValues& values, const std::string& key) {
  // Written by hand around nlohmann's compact dumps, so that each value
  // stands on a line of its own.
  std::string text = "{\n  \"key\": " + nlohmann::json(key).dump() + ",\n  \"values\": {";
  const char* separator = "\n";
  for (const auto& [name, value] : values) {
    nlohmann::ordered_json entry;
    switch (value.type) {
      case StoredValue::Type::kText:
        entry["type"] = kText;
        entry["data"] = ToUtf8(value.text);
        break;
      case StoredValue::Type::kExpandText:
        entry["type"] = kExpandText;
        entry["data"] = ToUtf8(value.text);
        break;
      case StoredValue::Type::kDWord:
        entry["type"] = kDWord;
        entry["data"] = value.dword;
        break;
      case StoredValue::Type::kOther:
        continue;  // a file never holds one, and the driver never writes one
    }
    text += separator;
    text += "    " + nlohmann::json(ToUtf8(name)).dump() + ": " + entry.dump();
    separator = ",\n";
  }
  text += values.empty() ? "}\n}\n" : "\n  }\n}\n";
  return text;
}

std::optional<StoredValues> ParseStoreFileText(const std::string& text, const std::string& key) {
  const nlohmann::json file = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!file.is_object() || file.size() != 2 || !file.contains("key") || !file.contains("values")) {
    return std::nullopt;
  }
  if (file["key"] != key || !file["values"].is_object()) return std::nullopt;
  StoredValues values;
  for (const auto& [name, json] : file["values"].items()) {
    std::optional<StoredValue> value = ParseValue(json);
    if (!value) return std::nullopt;
    values[FromUtf8(name)] = std::move(*value);
  }
  return values;
}

class JsonFileWriter : public StoreWriter {
 public:
  JsonFileWriter(JsonFileStore& store, StoredValues values, bool corrupt)
      : store_(store), values_(std::move(values)), corrupt_(corrupt) {}

  bool Write(const std::u16string& name, const StoredValue& value) override {
    values_[name] = value;
    return true;
  }

  bool Commit() override {
    if (!store_.Save(values_, corrupt_)) return false;
    corrupt_ = false;  // set aside once; the file now in place is good
    return true;
  }

 private:
  JsonFileStore& store_;
  StoredValues values_;
  bool corrupt_;
};

JsonFileStore::JsonFileStore(std::string path, std::string key)
    : JsonFileStore(std::move(path), std::make_shared<PosixFileSystem>(), std::move(key)) {}

JsonFileStore::JsonFileStore(std::string path, std::shared_ptr<FileSystem> file_system,
                             std::string key)
    : path_(std::move(path)),
      key_(std::move(key)),
      directory_(DirectoryOf(path_)),
      file_system_(std::move(file_system)) {}

JsonFileStore::State JsonFileStore::Load(StoredValues& values) {
  std::string text;
  switch (file_system_->ReadFile(path_, text)) {
    case FileSystem::ReadResult::kMissing:
      return State::kMissing;
    case FileSystem::ReadResult::kFailed:
      return State::kCorrupt;
    case FileSystem::ReadResult::kOk:
      break;
  }
  std::optional<StoredValues> parsed = ParseStoreFileText(text, key_);
  if (!parsed) return State::kCorrupt;
  values = std::move(*parsed);
  return State::kGood;
}

std::optional<StoredValues> JsonFileStore::Read() {
  StoredValues values;
  if (Load(values) != State::kGood) return std::nullopt;
  return values;
}

std::unique_ptr<StoreWriter> JsonFileStore::OpenForWrite() {
  if (!file_system_->CreateDirectories(directory_)) return nullptr;
  StoredValues values;
  const State state = Load(values);
  return std::make_unique<JsonFileWriter>(*this, std::move(values), state == State::kCorrupt);
}

bool JsonFileStore::SetCorruptFileAside() {
  if (!file_system_->Exists(path_)) return true;  // gone meanwhile: nothing to keep
  std::string aside = path_ + ".corrupt";
  for (int n = 1; file_system_->Exists(aside); ++n) {
    if (n > 1000) return false;
    aside = path_ + ".corrupt." + std::to_string(n);
  }
  return file_system_->Rename(path_, aside);
}

bool JsonFileStore::Save(const StoredValues& values, bool set_corrupt_file_aside) {
  const std::string text = StoreFileText(values, key_);
  const std::string temporary = file_system_->TemporaryPathFor(path_);
  if (!file_system_->WriteFile(temporary, text) || !file_system_->SyncFile(temporary)) {
    file_system_->Remove(temporary);
    return false;
  }
  if (set_corrupt_file_aside && !SetCorruptFileAside()) {
    file_system_->Remove(temporary);
    return false;
  }
  if (!file_system_->Rename(temporary, path_)) {
    file_system_->Remove(temporary);
    return false;
  }
  return file_system_->SyncDirectory(directory_.empty() ? "." : directory_);
}

}  // namespace kassivo
