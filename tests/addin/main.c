// addin_host LIBRARY [--interface] [SESSION...]
//
// A host of the native add-in library written in C, which shares nothing
// with the library's C++ view of its interface: it checks the library's
// interface (--interface, interface_checks.h), then plays each golden
// session (session_player.h), loading and unloading the library for each.
// Exits 0 only when every check passed and every session matched.
#include <stdio.h>
#include <string.h>

#include "interface_checks.h"
#include "report.h"
#include "session_player.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    fputs("usage: addin_host LIBRARY [--interface] [SESSION...]\n", stderr);
    return 2;
  }
  const char* library = argv[1];
  int played = 0, matched = 0;
  for (int i = 2; i < argc; ++i) {
    if (strcmp(argv[i], "--interface") == 0) {
      ++played;
      const bool ok = check_interface(library);
      matched += ok;
      printf("interface: %s\n", ok ? "ok" : "FAILED");
      continue;
    }
    const char* name = strrchr(argv[i], '/');
    report_context(name ? name + 1 : argv[i]);
    ++played;
    const bool ok = play_session(library, argv[i]);
    matched += ok;
    printf("%s: %s\n", name ? name + 1 : argv[i], ok ? "ok" : "FAILED");
    fflush(stdout);
  }
  printf("addin_host: %d of %d as expected\n", matched, played);
  return report_failures() == 0 ? 0 : 1;
}
