// The process dies, or the power fails, at every step of a save in turn:
// whatever survives, the next process reads either the registration from
// before the save or the one from after it, and a corrupt file being set
// aside is never lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "platform/posix/json_file_store.h"
#include "platform/posix/temporary_directory.h"

namespace kassivo {
namespace {

using testing::FileText;
using testing::PutFile;
using testing::TemporaryDirectory;

struct Crash {};

// The real file system that dies at its `crash_at`-th changing step. A write
// dies halfway through its data. With `lose_unsynced`, the death is a power
// failure: what was written to a file but never flushed is cut to half.
class CrashingFileSystem : public PosixFileSystem {
 public:
  int crash_at = -1;
  bool lose_unsynced = false;
  int steps = 0;

  bool CreateDirectories(const std::string& path) override {
    Step();
    return PosixFileSystem::CreateDirectories(path);
  }
  bool WriteFile(const std::string& path, const std::string& contents) override {
    if (steps + 1 == crash_at) {
      ++steps;
      PosixFileSystem::WriteFile(path, contents.substr(0, contents.size() / 2));
      Die();
    }
    Step();
    unsynced_[path] = contents;
    return PosixFileSystem::WriteFile(path, contents);
  }
  bool SyncFile(const std::string& path) override {
    Step();
    unsynced_.erase(path);
    return PosixFileSystem::SyncFile(path);
  }
  bool SyncDirectory(const std::string& path) override {
    Step();
    return PosixFileSystem::SyncDirectory(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    Step();
    if (const auto it = unsynced_.find(from); it != unsynced_.end()) {
      unsynced_[to] = it->second;
      unsynced_.erase(it);
    }
    return PosixFileSystem::Rename(from, to);
  }
  bool Remove(const std::string& path) override {
    Step();
    unsynced_.erase(path);
    return PosixFileSystem::Remove(path);
  }

 private:
  void Step() {
    if (++steps == crash_at) Die();
  }
  [[noreturn]] void Die() {
    if (lose_unsynced) {
      for (const auto& [path, contents] : unsynced_) {
        PosixFileSystem::WriteFile(path, contents.substr(0, contents.size() / 2));
      }
    }
    throw Crash{};
  }

  std::map<std::string, std::string> unsynced_;
};

bool Save(RegistrationStore& store, const StoredValues& values) {
  auto writer = store.OpenForWrite();
  if (!writer) return false;
  for (const auto& [name, value] : values) writer->Write(name, value);
  return writer->Commit();
}

// What a save of `values` leaves on top of the `stored` ones.
StoredValues Overlaid(const std::optional<StoredValues>& stored, const StoredValues& values) {
  StoredValues result = stored.value_or(StoredValues{});
  for (const auto& [name, value] : values) result[name] = value;
  return result;
}

std::set<std::string> Entries(const std::string& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

const StoredValues kOld = {{u"KKTNumber", StoredValue::Text(u"0000000001")},
                           {u"CompanyName", StoredValue::Text(u"ООО \"Старое\"")},
                           {u"Fiscal", StoredValue::DWord(1)}};
// Longer than the old file, so that half of it is not a whole file either.
const StoredValues kNew = {{u"KKTNumber", StoredValue::Text(u"0000000002")},
                           {u"CompanyName", StoredValue::Text(u"ООО \"Новое и длинное имя\"")},
                           {u"INN", StoredValue::Text(u"7701234567")},
                           {u"Fiscal", StoredValue::DWord(0)}};

// The number of changing steps a save takes when nothing goes wrong.
int StepsOfASave(bool with_old_file, const std::string& old_text) {
  TemporaryDirectory directory;
  const std::string path = directory / "kassivo/registration.json";
  std::filesystem::create_directories(directory / "kassivo");
  if (with_old_file) PutFile(path, old_text);
  auto file_system = std::make_shared<CrashingFileSystem>();
  JsonFileStore store(path, file_system);
  EXPECT_TRUE(Save(store, kNew));
  return file_system->steps;
}

TEST(JsonFileStoreCrash, ANextProcessSeesTheOldOrTheNewRegistration) {
  const std::string old_text = StoreFileText(kOld);
  for (const bool first_save : {false, true}) {
    for (const bool power_failure : {false, true}) {
      const int steps = StepsOfASave(!first_save, old_text);
      ASSERT_GE(steps, 5);  // directory, write, flush, rename, directory flush
      for (int crash_at = 1; crash_at <= steps; ++crash_at) {
        SCOPED_TRACE(::testing::Message() << "first save " << first_save << ", power failure "
                                          << power_failure << ", crash at step " << crash_at);
        TemporaryDirectory directory;
        const std::string path = directory / "kassivo/registration.json";
        std::filesystem::create_directories(directory / "kassivo");
        if (!first_save) PutFile(path, old_text);
        {
          auto file_system = std::make_shared<CrashingFileSystem>();
          file_system->crash_at = crash_at;
          file_system->lose_unsynced = power_failure;
          JsonFileStore store(path, file_system);
          EXPECT_THROW(Save(store, kNew), Crash);
        }
        JsonFileStore next(path);
        const std::optional<StoredValues> seen = next.Read();
        if (first_save) {
          EXPECT_TRUE(seen == std::nullopt || seen == kNew);
        } else {
          EXPECT_TRUE(seen == kOld || seen == kNew);
        }
        EXPECT_FALSE(TemporaryDirectory::Exists(path + ".corrupt"));
        // The next save succeeds and is read back whole.
        EXPECT_TRUE(Save(next, kOld));
        EXPECT_EQ(next.Read(), Overlaid(seen, kOld));
      }
    }
  }
}

TEST(JsonFileStoreCrash, ACorruptFileBeingSetAsideIsNeverLost) {
  const std::string corrupt = "{\"key\": \"half a file";
  const int steps = StepsOfASave(true, corrupt);
  for (int crash_at = 1; crash_at <= steps; ++crash_at) {
    SCOPED_TRACE(crash_at);
    TemporaryDirectory directory;
    const std::string path = directory / "registration.json";
    PutFile(path, corrupt);
    {
      auto file_system = std::make_shared<CrashingFileSystem>();
      file_system->crash_at = crash_at;
      JsonFileStore store(path, file_system);
      EXPECT_THROW(Save(store, kNew), Crash);
    }
    // The corrupt text is still in place or kept aside; the store reads
    // nothing or the new values.
    const bool in_place = FileText(path) == corrupt;
    const bool aside =
        TemporaryDirectory::Exists(path + ".corrupt") && FileText(path + ".corrupt") == corrupt;
    EXPECT_TRUE(in_place || aside);
    JsonFileStore next(path);
    const std::optional<StoredValues> seen = next.Read();
    EXPECT_TRUE(seen == std::nullopt || seen == kNew);
    // A save after the crash keeps the corrupt text too.
    ASSERT_TRUE(Save(next, kOld));
    EXPECT_EQ(next.Read(), Overlaid(seen, kOld));
    bool kept = false;
    for (const std::string& name : Entries(directory.path())) {
      kept = kept || (name.rfind("registration.json.corrupt", 0) == 0 &&
                      FileText(directory / name) == corrupt);
    }
    EXPECT_TRUE(kept);
  }
}

}  // namespace
}  // namespace kassivo
