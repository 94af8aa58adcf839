#include "cli/journal_show.h"

#include <vector>

#include "cli/box_tape_presenter.h"
#include "cli/journal_documents.h"
#include "cli/session_runner.h"

namespace kassivo::cli {

int ShowJournals(const std::vector<JournalSource>& sources, bool terminal, std::ostream& out,
                 std::ostream& err) {
  const auto style =
      terminal ? BoxTapePresenter::Style::kTerminal : BoxTapePresenter::Style::kPlain;
  const PlacedLine* at = nullptr;
  try {
    std::vector<ProcessLines> processes = ReadJournals(sources);
    for (const ProcessLines& process : processes) {
      ProcessDocuments documents;
      for (const PlacedLine& placed : process.lines) {
        at = &placed;
        documents.Line(placed.line);
      }
      documents.Finish();
      for (const JournalDocument& document : documents.documents()) {
        for (const std::string& row :
             BoxTapePresenter::Draw(document.entries, document.width, style)) {
          out << row << '\n';
        }
      }
    }
    out.flush();
    return 0;
  } catch (const JournalError& error) {
    out.flush();
    err << "kassivo: " << error.file << ':' << error.line << ": " << error.what() << '\n';
  } catch (const ScriptError& error) {
    out.flush();
    err << "kassivo: " << sources[at->file].name << ':' << at->number << ": " << error.what()
        << '\n';
  }
  return kExitScriptError;
}

}  // namespace kassivo::cli
