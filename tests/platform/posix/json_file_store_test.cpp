#include "platform/posix/json_file_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/posix/temporary_directory.h"

namespace kassivo {
namespace {

using testing::FileText;
using testing::PutFile;
using testing::TemporaryDirectory;

// The real file system with one step made to fail on demand.
class FaultyFileSystem : public PosixFileSystem {
 public:
  enum class Step { kNone, kWrite, kSyncFile, kRename, kSyncDirectory, kCreateDirectories };
  Step failing = Step::kNone;
  int renames = 0;

  bool CreateDirectories(const std::string& path) override {
    return failing != Step::kCreateDirectories && PosixFileSystem::CreateDirectories(path);
  }
  bool WriteFile(const std::string& path, const std::string& contents) override {
    if (failing == Step::kWrite) {
      // Fails the way a full disk does: half the data is written.
      PosixFileSystem::WriteFile(path, contents.substr(0, contents.size() / 2));
      return false;
    }
    return PosixFileSystem::WriteFile(path, contents);
  }
  bool SyncFile(const std::string& path) override {
    return failing != Step::kSyncFile && PosixFileSystem::SyncFile(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    ++renames;
    return failing != Step::kRename && PosixFileSystem::Rename(from, to);
  }
  bool SyncDirectory(const std::string& path) override {
    return failing != Step::kSyncDirectory && PosixFileSystem::SyncDirectory(path);
  }
};

std::set<std::string> Entries(const std::string& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

bool Save(RegistrationStore& store, const StoredValues& values) {
  auto writer = store.OpenForWrite();
  if (!writer) return false;
  for (const auto& [name, value] : values) {
    if (!writer->Write(name, value)) return false;
  }
  return writer->Commit();
}

StoredValue Expand(std::u16string text) {
  StoredValue value = StoredValue::Text(std::move(text));
  value.type = StoredValue::Type::kExpandText;
  return value;
}

TEST(JsonFileStoreTest, KeepsTypesAndTellsMissingFromEmpty) {
  TemporaryDirectory directory;
  JsonFileStore store(directory / "sub/dir/registration.json");
  EXPECT_EQ(store.Read(), std::nullopt);

  const StoredValues values = {
      {u"KKTNumber", StoredValue::Text(u"0000000000000")},
      {u"DocumentNumber", StoredValue::Text(u"")},
      {u"CompanyName", StoredValue::Text(u"ООО \"ТЕСТ\"\t\\ \U0001F600")},
      {u"Path", Expand(u"%HOME%\\x")},
      {u"Fiscal", StoredValue::DWord(1)},
      {u"Zero", StoredValue::DWord(0)},
      {u"Two", StoredValue::DWord(2)},
      {u"Max", StoredValue::DWord(4294967295u)},
      {u"Число", StoredValue::DWord(7)},
  };
  ASSERT_TRUE(Save(store, values));

  const auto read = JsonFileStore(store.path()).Read();
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, values);
  EXPECT_EQ(read->at(u"Two").dword, 2u);
  EXPECT_EQ(read->at(u"Path").type, StoredValue::Type::kExpandText);
  EXPECT_EQ(read->at(u"DocumentNumber").type, StoredValue::Type::kText);
  EXPECT_EQ(read->count(u"SaleAddress"), 0u);
  EXPECT_EQ(Entries(directory / "sub/dir"), std::set<std::string>{"registration.json"});
}

TEST(JsonFileStoreTest, AnEmptyKeyIsNotAMissingKey) {
  TemporaryDirectory directory;
  JsonFileStore store(directory / "registration.json");
  auto writer = store.OpenForWrite();
  ASSERT_TRUE(writer);
  ASSERT_TRUE(writer->Commit());
  EXPECT_EQ(store.Read(), StoredValues{});
}

TEST(JsonFileStoreTest, WritesAccumulateOnTopOfTheStoredValues) {
  TemporaryDirectory directory;
  JsonFileStore store(directory / "registration.json");
  ASSERT_TRUE(Save(store, {{u"A", StoredValue::Text(u"a")}, {u"B", StoredValue::DWord(1)}}));
  ASSERT_TRUE(Save(store, {{u"B", StoredValue::Text(u"now text")}, {u"C", StoredValue::DWord(3)}}));
  const StoredValues expected = {{u"A", StoredValue::Text(u"a")},
                                 {u"B", StoredValue::Text(u"now text")},
                                 {u"C", StoredValue::DWord(3)}};
  EXPECT_EQ(store.Read(), expected);
}

TEST(JsonFileStoreTest, ReadsTheDocumentedFileFormat) {
  const auto values = ParseStoreFileText(R"({
    "key": "Software\\Orvelle\\Kassivo",
    "values": {
      "KKTNumber": {"type": "REG_SZ", "data": "0000000000000"},
      "Path":      {"type": "REG_EXPAND_SZ", "data": "%HOME%"},
      "Fiscal":    {"type": "REG_DWORD", "data": 1},
      "Empty":     {"data": "", "type": "REG_SZ"}
    }
  })");
  const StoredValues expected = {{u"KKTNumber", StoredValue::Text(u"0000000000000")},
                                 {u"Path", Expand(u"%HOME%")},
                                 {u"Fiscal", StoredValue::DWord(1)},
                                 {u"Empty", StoredValue::Text(u"")}};
  EXPECT_EQ(values, expected);
}

TEST(JsonFileStoreTest, WritesOneValueALine) {
  EXPECT_EQ(StoreFileText({{u"Fiscal", StoredValue::DWord(1)}, {u"Имя", Expand(u"\"x\"")}}),
            "{\n"
            "  \"key\": \"Software\\\\Orvelle\\\\Kassivo\",\n"
            "  \"values\": {\n"
            "    \"Fiscal\": {\"type\":\"REG_DWORD\",\"data\":1},\n"
            "    \"Имя\": {\"type\":\"REG_EXPAND_SZ\",\"data\":\"\\\"x\\\"\"}\n"
            "  }\n"
            "}\n");
  EXPECT_EQ(ParseStoreFileText(StoreFileText({})), StoredValues{});
}

TEST(JsonFileStoreTest, RefusesFilesOfAnyOtherShape) {
  const std::string key = R"("key": "Software\\Orvelle\\Kassivo")";
  auto with_value = [&](const std::string& value) {
    return "{" + key + R"(, "values": {"X": )" + value + "}}";
  };
  for (const std::string& text : {
           std::string(""),
           std::string("{"),
           std::string("[]"),
           std::string("null"),
           std::string(R"({"values": {}})"),
           "{" + key + "}",
           "{" + key + R"(, "values": []})",
           "{" + key + R"(, "values": {}, "extra": 1})",
           std::string(R"({"key": "Software\\Other", "values": {}})"),
           with_value(R"({"type": "REG_DWORD", "data": 4294967296})"),
           with_value(R"({"type": "REG_DWORD", "data": -1})"),
           with_value(R"({"type": "REG_DWORD", "data": 2.0})"),
           with_value(R"({"type": "REG_DWORD", "data": 1e3})"),
           with_value(R"({"type": "REG_DWORD", "data": 99999999999999999999})"),
           with_value(R"({"type": "REG_DWORD", "data": "2"})"),
           with_value(R"({"type": "REG_SZ", "data": 2})"),
           with_value(R"({"type": "REG_SZ"})"),
           with_value(R"({"type": "REG_BINARY", "data": ""})"),
           with_value(R"({"type": "REG_SZ", "data": "", "more": 1})"),
           with_value(R"("text")"),
           with_value("\"\xC3\""),
           with_value(R"({"type": "REG_SZ", "data": "\xFF"})"),
       }) {
    EXPECT_EQ(ParseStoreFileText(text), std::nullopt) << text;
  }
}

TEST(JsonFileStoreTest, CorruptFileIsKeptAsideBeforeTheNextSave) {
  TemporaryDirectory directory;
  const std::string path = directory / "registration.json";
  const std::string damaged = "{\"key\": \"Software\\\\Orvelle\\\\Kassivo\", \"values\": {";
  PutFile(path, damaged);
  JsonFileStore store(path);

  EXPECT_EQ(store.Read(), std::nullopt);
  EXPECT_EQ(FileText(path), damaged) << "reading never touches the file";

  ASSERT_TRUE(Save(store, {{u"Fiscal", StoredValue::DWord(1)}}));
  EXPECT_EQ(FileText(path + ".corrupt"), damaged);
  EXPECT_EQ(store.Read(), (StoredValues{{u"Fiscal", StoredValue::DWord(1)}}));

  // A later corruption does not replace the copy kept before.
  PutFile(path, "garbage");
  ASSERT_TRUE(Save(store, {{u"Fiscal", StoredValue::DWord(0)}}));
  EXPECT_EQ(FileText(path + ".corrupt"), damaged);
  EXPECT_EQ(FileText(path + ".corrupt.1"), "garbage");
  EXPECT_EQ(store.Read(), (StoredValues{{u"Fiscal", StoredValue::DWord(0)}}));

  // A good file is never set aside.
  ASSERT_TRUE(Save(store, {{u"Fiscal", StoredValue::DWord(1)}}));
  EXPECT_EQ(Entries(directory.path()),
            (std::set<std::string>{"registration.json", "registration.json.corrupt",
                                   "registration.json.corrupt.1"}));
}

TEST(JsonFileStoreTest, UnreadableFileCountsAsMissingAndIsKeptAside) {
  TemporaryDirectory directory;
  const std::string path = directory / "registration.json";
  std::filesystem::create_directory(path);  // reading a directory fails
  JsonFileStore store(path);
  EXPECT_EQ(store.Read(), std::nullopt);
  ASSERT_TRUE(Save(store, {{u"A", StoredValue::Text(u"a")}}));
  EXPECT_TRUE(std::filesystem::is_directory(path + ".corrupt"));
  EXPECT_EQ(store.Read(), (StoredValues{{u"A", StoredValue::Text(u"a")}}));
}

TEST(JsonFileStoreTest, AFailedStepLeavesThePreviousFileWhole) {
  using Step = FaultyFileSystem::Step;
  for (const Step step : {Step::kWrite, Step::kSyncFile, Step::kRename}) {
    SCOPED_TRACE(static_cast<int>(step));
    TemporaryDirectory directory;
    const std::string path = directory / "registration.json";
    auto file_system = std::make_shared<FaultyFileSystem>();
    JsonFileStore store(path, file_system);
    const StoredValues before = {{u"KKTNumber", StoredValue::Text(u"1")},
                                 {u"Fiscal", StoredValue::DWord(1)}};
    ASSERT_TRUE(Save(store, before));
    const std::string text_before = FileText(path);

    file_system->failing = step;
    EXPECT_FALSE(Save(store, {{u"KKTNumber", StoredValue::Text(u"2")}}));

    EXPECT_EQ(FileText(path), text_before);
    EXPECT_EQ(store.Read(), before);
    EXPECT_EQ(Entries(directory.path()), std::set<std::string>{"registration.json"})
        << "no temporary file is left behind";

    file_system->failing = Step::kNone;
    EXPECT_TRUE(Save(store, {{u"KKTNumber", StoredValue::Text(u"3")}}));
    EXPECT_EQ(store.Read()->at(u"KKTNumber").text, u"3");
  }
}

TEST(JsonFileStoreTest, AFailedSaveOfACorruptFileKeepsItWhereItWas) {
  TemporaryDirectory directory;
  const std::string path = directory / "registration.json";
  PutFile(path, "not json");
  auto file_system = std::make_shared<FaultyFileSystem>();
  JsonFileStore store(path, file_system);
  file_system->failing = FaultyFileSystem::Step::kSyncFile;
  EXPECT_FALSE(Save(store, {{u"A", StoredValue::DWord(1)}}));
  EXPECT_EQ(FileText(path), "not json");
  EXPECT_EQ(Entries(directory.path()), std::set<std::string>{"registration.json"});
}

TEST(JsonFileStoreTest, AFailedDirectoryFlushIsReported) {
  TemporaryDirectory directory;
  auto file_system = std::make_shared<FaultyFileSystem>();
  JsonFileStore store(directory / "registration.json", file_system);
  file_system->failing = FaultyFileSystem::Step::kSyncDirectory;
  EXPECT_FALSE(Save(store, {{u"A", StoredValue::DWord(1)}}));
  // The rename happened: the new file is whole, only its durability is in doubt.
  EXPECT_EQ(store.Read(), (StoredValues{{u"A", StoredValue::DWord(1)}}));
}

TEST(JsonFileStoreTest, NoWriterWhenTheDirectoryCannotBeMade) {
  TemporaryDirectory directory;
  PutFile(directory / "file", "x");
  JsonFileStore store(directory / "file/kassivo/registration.json");
  EXPECT_EQ(store.OpenForWrite(), nullptr);
  EXPECT_EQ(store.Read(), std::nullopt);

  auto file_system = std::make_shared<FaultyFileSystem>();
  file_system->failing = FaultyFileSystem::Step::kCreateDirectories;
  JsonFileStore failing(directory / "registration.json", file_system);
  EXPECT_EQ(failing.OpenForWrite(), nullptr);
}

TEST(JsonFileStoreTest, FileIsPrivateToItsUser) {
  TemporaryDirectory directory;
  const std::string path = directory / "new/registration.json";
  JsonFileStore store(path);
  ASSERT_TRUE(Save(store, {{u"A", StoredValue::DWord(1)}}));
  using std::filesystem::perms;
  EXPECT_EQ(std::filesystem::status(path).permissions() & (perms::group_all | perms::others_all),
            perms::none);
}

}  // namespace
}  // namespace kassivo
