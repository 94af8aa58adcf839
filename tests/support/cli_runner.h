// Runs the command-line host in the test's own process, with the console
// captured, and reads back the files it writes.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace kassivo::cli {

struct CommandResult {
  int status;
  std::string out;
  std::string err;
};

inline CommandResult Kassivo(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunKassivo(args, {in, out, err, false});
  return {status, out.str(), err.str()};
}

// The whole file, as bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// How many times `what` occurs in `text`, overlapping ones counted.
inline int CountOf(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace kassivo::cli
