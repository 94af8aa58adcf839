// A journal rotated in the middle of a golden session: the two files replay
// clean together, and the newer one alone from the state its header gives.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/journal_replay.h"
#include "cli/session_runner.h"
#include "support/cli_runner.h"
#include "support/test_platform.h"
#include "testing/test_process.h"

namespace kassivo::cli {
namespace {

// Plays the session with the journal at `path`, rotated past `limit` bytes.
void Record(const std::filesystem::path& session, const std::filesystem::path& path,
            std::uint64_t limit) {
  testing::TestProcess process({.host_platform = true, .seed = 7});
  process.state->Options.Journal = path.u16string();
  std::ostringstream out, err;
  {
    SessionRunner runner(*process.state, *process.messages, nullptr, out);
    runner.journal().set_size_limit(limit);
    std::ifstream script(session);
    ASSERT_EQ(RunScript(script, "s", nullptr, runner, out, err), 0) << err.str();
  }
}

CommandResult ReplayFiles(const std::vector<std::filesystem::path>& paths) {
  std::vector<std::ifstream> files;
  files.reserve(paths.size());
  std::vector<JournalSource> sources;
  for (const auto& path : paths) {
    files.emplace_back(path, std::ios::binary);
    sources.push_back({path.filename().string(), &files.back()});
  }
  std::ostringstream out, err;
  const int status = ReplayJournals(sources, true, out, err);
  return {status, out.str(), err.str()};
}

TEST(JournalContinuation, EveryRotatedGoldenSessionReplaysWholeAndFromItsSecondFile) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kassivo-continuation-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / "day.journal";
  const std::filesystem::path older = dir / "day.journal.1";
  int rotated = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(KASSIVO_TEST_DATA) / "sessions")) {
    if (entry.path().extension() != ".session") continue;
    if (ReadFileBytes(entry.path()).find('@') != std::string::npos) continue;  // needs files
    const std::string name = entry.path().stem().string();
    std::filesystem::remove(path);
    std::filesystem::remove(older);
    Record(entry.path(), path, std::uint64_t{1} << 40);
    const std::string whole = ReadFileBytes(path);
    const int calls = CountOf(whole, "\n= ");
    // Whole, it replays clean (GetDescription saying the journal is on too).
    const CommandResult unrotated = ReplayFiles({path});
    EXPECT_EQ(unrotated.status, 0) << name << '\n' << unrotated.out << unrotated.err;
    std::filesystem::remove(path);
    Record(entry.path(), path, whole.size() * 3 / 5);
    const std::string first = ReadFileBytes(older);
    const std::string second = ReadFileBytes(path);
    // Rotated once, somewhere after the header.
    if (!first.starts_with(":process ") || !second.starts_with(":continues ")) continue;
    ++rotated;
    const CommandResult both = ReplayFiles({older, path});
    EXPECT_EQ(both.status, 0) << name << '\n' << both.out << both.err;
    EXPECT_NE(both.out.find("replay: " + std::to_string(calls) + " calls, 0 differ"),
              std::string::npos)
        << name << '\n'
        << both.out;
    const CommandResult alone = ReplayFiles({path});
    EXPECT_EQ(alone.status, 0) << name << '\n' << alone.out << alone.err;
    const int later = CountOf(second, "\n= ");
    EXPECT_NE(
        alone.out.find("replay: " + std::to_string(later) + (later == 1 ? " call," : " calls,")),
        std::string::npos)
        << name << '\n'
        << alone.out;
  }
  EXPECT_GE(rotated, 25);
  std::filesystem::remove_all(dir);
}

// Another host process writes the registration data between two calls of
// this one: the call that reads them finds other values than the journal
// said, and the journal says so before it, so the replay reads the same.
TEST(JournalContinuation, AStoreChangedByAnotherProcessIsRecordedBeforeTheCallThatReadsIt) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("kassivo-store-change-" + std::to_string(getpid()));
  std::filesystem::remove(path);
  {
    testing::TestProcess process({.host_platform = true, .seed = 7});
    process.state->Options.Journal = path.u16string();
    auto component = process.NewComponent();
    testing::OpenDevice(*component);
    ArgumentArray data({testing::T(u"1"), Value()});
    testing::Call(*component, u"GetDataKKT", data);
    // Written past this process, as another one would.
    auto writer = process.store->OpenForWrite();
    ASSERT_TRUE(writer->Write(u"CompanyName", StoredValue::Text(u"ООО \"ДРУГАЯ\"")));
    ASSERT_TRUE(writer->Commit());
    testing::Call(*component, u"GetDataKKT", data);
    testing::Call(*component, u"GetDataKKT", data);
  }
  const std::string journal = ReadFileBytes(path);
  std::filesystem::remove(path);
  EXPECT_EQ(CountOf(journal, ":registration-reset\n"), 1) << journal;
  EXPECT_LT(journal.find(":registration-reset"),
            journal.rfind("\nGetDataKKT", journal.rfind("\nGetDataKKT") - 1));
  std::istringstream in(journal);
  std::ostringstream out, err;
  EXPECT_EQ(ReplayJournal(in, "j", true, out, err), 0) << out.str() << err.str();
}

}  // namespace
}  // namespace kassivo::cli
