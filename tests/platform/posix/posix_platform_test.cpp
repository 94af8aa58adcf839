#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/options_store.h"
#include "platform/message_recorder.h"
#include "platform/posix/temporary_directory.h"
#include "platform/seeded_random.h"
#include "platform/stream_message_presenter.h"

namespace kassivo {
namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(DefaultStorePathTest, EnvironmentDecides) {
  ScopedEnvironment environment;
  environment.Set("KASSIVO_STORE", "/data/store.json");
  environment.Set("XDG_CONFIG_HOME", "/xdg");
  environment.Set("HOME", "/home/user");
  EXPECT_EQ(DefaultStorePath(), "/data/store.json");
  environment.Set("KASSIVO_STORE", "");
  EXPECT_EQ(DefaultStorePath(), "/xdg/kassivo/registration.json");
  environment.Set("XDG_CONFIG_HOME", "relative/dir");  // not absolute: ignored
  EXPECT_EQ(DefaultStorePath(), "/home/user/.config/kassivo/registration.json");
  environment.Set("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(DefaultStorePath(), "/home/user/.config/kassivo/registration.json");
  environment.Set("HOME", nullptr);
  const std::string path = DefaultStorePath();
  EXPECT_TRUE(path.ends_with("/.config/kassivo/registration.json")) << path;
}

TEST(SeededRandomTest, OneSeedOneSequenceInRange) {
  SeededRandom first(1);
  SeededRandom second(1);
  SeededRandom other(2);
  std::set<int> seen;
  bool differs = false;
  for (int i = 0; i < 5000; ++i) {
    const int value = first.Next();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 999);
    EXPECT_EQ(second.Next(), value);
    differs = differs || other.Next() != value;
    seen.insert(value);
  }
  EXPECT_TRUE(differs);
  EXPECT_GT(seen.size(), 950u);  // 5000 uniform draws miss very few of 1000
}

TEST(SeededRandomTest, SameNumbersOnEveryStandardLibrary) {
  // The first outputs of mt19937 seeded with 5489 are fixed by the standard.
  SeededRandom random(5489);
  EXPECT_EQ(random.Next(), 3499211612u % 1000);
  EXPECT_EQ(random.Next(), 581869302u % 1000);
}

TEST(StreamMessagePresenterTest, PrintsUtf8Lines) {
  testing::TemporaryDirectory directory;
  const std::string path = directory / "messages.txt";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  StreamMessagePresenter presenter(file);
  presenter.Show(u"Смена открыта");
  presenter.Show(std::u16string{u'a', u'\xD800'});
  std::fclose(file);
  EXPECT_EQ(testing::FileText(path), "Смена открыта\na\xEF\xBF\xBD\n");
}

TEST(MakePosixPlatformTest, OptionsFixEveryService) {
  testing::TemporaryDirectory directory;
  auto recorder = std::make_unique<MessageRecorder>();
  MessageRecorder& shown = *recorder;
  PosixPlatformOptions options;
  options.store_path = directory / "a/registration.json";
  options.fixed_clock = LocalDateTime{2024, 3, 5, 9, 7, 4, 56};
  options.seed = 1;
  options.decimal_separator = u",";
  options.thousands_separator = u"\u202F";
  options.messages = std::move(recorder);
  Platform platform = MakePosixPlatform(std::move(options));

  EXPECT_EQ(platform.clock->Now().millisecond, 56);
  EXPECT_EQ(platform.clock->Now().year, 2024);
  SeededRandom same_seed(1);
  EXPECT_EQ(platform.random->Next(), same_seed.Next());
  EXPECT_EQ(platform.number_format.decimal_separator, u",");
  EXPECT_EQ(platform.number_format.thousands_separator, u"\u202F");
  platform.messages->Show(u"текст");
  EXPECT_EQ(shown.Take(), std::vector<std::u16string>{u"текст"});
  EXPECT_EQ(platform.upper->ToUpper(u"чек"), u"ЧЕК");
  EXPECT_EQ(platform.xml->Parse(u"<a/>").root.name, u"a");

  auto writer = platform.store->OpenForWrite();
  ASSERT_TRUE(writer);
  ASSERT_TRUE(writer->Write(u"Fiscal", StoredValue::DWord(1)));
  ASSERT_TRUE(writer->Commit());
  EXPECT_TRUE(testing::FileText(directory / "a/registration.json").find("REG_DWORD") !=
              std::string::npos);
}

TEST(MakePosixPlatformTest, MemoryStoreAndSystemClock) {
  testing::TemporaryDirectory directory;
  ScopedEnvironment environment;
  environment.Set("KASSIVO_STORE", (directory / "never.json").c_str());
  PosixPlatformOptions options;
  options.memory_store = true;
  Platform platform = MakePosixPlatform(std::move(options));
  auto writer = platform.store->OpenForWrite();
  ASSERT_TRUE(writer);
  ASSERT_TRUE(writer->Write(u"A", StoredValue::Text(u"a")));
  ASSERT_TRUE(writer->Commit());
  EXPECT_EQ(platform.store->Read()->at(u"A").text, u"a");
  EXPECT_FALSE(testing::TemporaryDirectory::Exists(directory / "never.json"));

  const LocalDateTime now = platform.clock->Now();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31);
  EXPECT_TRUE(now.millisecond >= 0 && now.millisecond <= 999);
  EXPECT_FALSE(platform.number_format.decimal_separator.empty());
}

TEST(MakePosixPlatformTest, OptionsLiveBesideTheRegistrationFileAndACorruptFileIsKept) {
  testing::TemporaryDirectory directory;
  ScopedEnvironment environment;
  environment.Set("KASSIVO_STRICT", nullptr);
  environment.Set("KASSIVO_JOURNAL", "/tmp/журнал.txt");
  PosixPlatformOptions options;
  options.store_path = directory / "a/registration.json";
  Platform platform = MakePosixPlatform(std::move(options));
  const std::string path = directory / "a/options.json";

  DriverOptions read = ReadDriverOptions(platform.options_store.get(), platform.environment);
  EXPECT_FALSE(read.Strict);
  EXPECT_EQ(read.Origin.Strict, OptionOrigin::kDefault);
  EXPECT_EQ(read.Journal, u"/tmp/журнал.txt");
  EXPECT_EQ(read.Origin.Journal, OptionOrigin::kEnvironment);

  ASSERT_TRUE(SaveStrict(platform.options_store.get(), true));
  EXPECT_EQ(testing::FileText(path),
            "{\n  \"key\": \"Software\\\\Orvelle\\\\Kassivo\\\\Options\",\n  \"values\": {\n"
            "    \"Strict\": {\"type\":\"REG_DWORD\",\"data\":1}\n  }\n}\n");
  EXPECT_FALSE(testing::TemporaryDirectory::Exists(directory / "a/registration.json"));

  // Neither file is taken for the other.
  testing::PutFile(directory / "a/registration.json", testing::FileText(path));
  EXPECT_EQ(platform.store->Read(), std::nullopt);

  // A corrupt file reads as the defaults and is set aside, whole, on the next save.
  testing::PutFile(path, "{\"key\": tru");
  read = ReadDriverOptions(platform.options_store.get(), nullptr);
  EXPECT_FALSE(read.Strict);
  EXPECT_EQ(read.Origin.Strict, OptionOrigin::kDefault);
  ASSERT_TRUE(SaveJournal(platform.options_store.get(), u"j.txt"));
  EXPECT_EQ(testing::FileText(path + ".corrupt"), "{\"key\": tru");
  read = ReadDriverOptions(platform.options_store.get(), nullptr);
  EXPECT_EQ(read.Journal, u"j.txt");
  EXPECT_FALSE(read.Strict);  // the corrupt file's values are not carried over
}

TEST(MakePosixPlatformTest, AnInMemoryRegistrationStoreKeepsTheOptionsInMemory) {
  testing::TemporaryDirectory directory;
  ScopedEnvironment environment;
  environment.Set("KASSIVO_STORE", (directory / "registration.json").c_str());
  PosixPlatformOptions options;
  options.memory_store = true;
  Platform platform = MakePosixPlatform(std::move(options));
  ASSERT_TRUE(SaveStrict(platform.options_store.get(), true));
  EXPECT_TRUE(ReadDriverOptions(platform.options_store.get(), nullptr).Strict);
  EXPECT_FALSE(testing::TemporaryDirectory::Exists(directory / "options.json"));
  EXPECT_EQ(OptionsStorePath("/x/y/registration.json"), "/x/y/options.json");
  EXPECT_EQ(OptionsStorePath("registration.json"), "options.json");
}

}  // namespace
}  // namespace kassivo
