// The kassivo command-line host.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "common/text.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/wide_text.h"

// The arguments as UTF-8, from the UTF-16 command line (the narrow argv is
// in the ANSI code page and would lose Cyrillic). Transcripts are bytes:
// standard streams are switched to binary so no CR is added before LF.
int main() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) {
    args.push_back(kassivo::ToUtf8(kassivo::FromWide(wide[i])));
  }
  LocalFree(wide);
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const bool terminal = _isatty(_fileno(stdout)) != 0;
  if (terminal) SetConsoleOutputCP(CP_UTF8);
  const kassivo::ComApartment apartment;
  std::ios::sync_with_stdio(false);
  return kassivo::cli::RunKassivo(args, {std::cin, std::cout, std::cerr, terminal});
}
#else
#include <unistd.h>

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kassivo::cli::RunKassivo(args, {std::cin, std::cout, std::cerr, isatty(1) == 1});
}
#endif
