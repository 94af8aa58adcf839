// The kassivo command line.
//
//   kassivo run [OPTIONS] FILE|-     plays a session script ("-": stdin)
//   kassivo call [OPTIONS] METHOD ARG...   plays one call; each ARG is one
//                                    literal
//   kassivo demo [OPTIONS]           plays the built-in day (in-memory
//                                    store, drawn as receipts)
//   kassivo methods                  lists the method table
//   kassivo options [...]            prints or saves the driver options
//                                    (options_command.h)
//   kassivo --help | --version
//
// OPTIONS are those of options.h; they come before the file or method.
// Exit status: 0 when the session ran to its end (whatever the driver
// answered), 2 for a usage or script error (message on the error stream),
// 1 when the host itself failed.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace kassivo::cli {

struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool out_is_terminal = false;
};

// `args` excludes the program name.
int RunKassivo(const std::vector<std::string>& args, Console console);

}  // namespace kassivo::cli
