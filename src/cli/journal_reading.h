// Reading call journals (journal_script.h) for replay: the files given, in
// order (a rotated journal's older file first), parsed line by line and
// sorted out by host process.
//
// Contract:
//  - ":process" begins a process; ":continues" goes on with the process of
//    that id and start time when an earlier file began it (its header lines
//    are then dropped: the process already has that state), and otherwise
//    begins a process from the header (a file replayed without the one
//    before it); ":from PID" sends the lines below to the last process of
//    that id. Lines before any of these (a journal written before processes
//    were named) go to one process.
//  - a ":from" naming a process that no file given began throws
//    JournalError: the file before this one is missing.
//  - processes come in the order of their first call (those without calls
//    last), whatever the interleaving of their lines.
//  - a file whose last line has no line break was cut inside a line:
//    JournalError "журнал обрывается внутри вызова" at that line.
//  - a bad line throws JournalError with its file and line.
// JournalRouter does the sorting out line by line, as the lines come, for a
// reader that keeps none of them (`kassivo show --follow`).
#pragma once

#include <cstddef>
#include <istream>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "script/journal_script.h"

namespace kassivo::cli {

inline constexpr const char* kJournalCut = "журнал обрывается внутри вызова";

struct JournalSource {
  std::string name;
  std::istream* in = nullptr;
};

struct JournalError : std::runtime_error {
  JournalError(std::string file_name, int line_number, const std::string& message)
      : std::runtime_error(message), file(std::move(file_name)), line(line_number) {}
  std::string file;
  int line;
};

struct PlacedLine {
  std::size_t file = 0;  // index into the sources
  int number = 0;        // line number in that file
  JournalLine line;
};

struct ProcessLines {
  bool continues = false;  // begins from a ":continues" header
  std::vector<PlacedLine> lines;
};

std::vector<ProcessLines> ReadJournals(const std::vector<JournalSource>& sources);

// Which process each parsed line belongs to. Processes are numbered from 0
// in the order they begin.
class JournalRouter {
 public:
  struct Routed {
    std::size_t process = 0;
    bool begins = false;  // the line (a ":process" or ":continues") begins it
  };

  // The process `line`, line `number` of the file `file_name`, goes to;
  // nullopt for a line that only switches processes (":from") or repeats
  // what a process already has (a ":continues" header of its own).
  // Throws JournalError for a ":from" of a process no file began.
  std::optional<Routed> Route(const JournalLine& line, const std::string& file_name, int number);

 private:
  struct Known {
    std::size_t index;
    LocalDateTime start;
  };

  std::size_t New();

  std::size_t count_ = 0;
  std::map<std::uint64_t, Known> by_id_;
  std::optional<std::size_t> current_;
  bool header_dropped_ = false;
};

}  // namespace kassivo::cli
