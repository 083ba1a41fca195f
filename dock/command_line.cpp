// What the command line gives the dock: the program's name and the display to open.
#include "dock/dock_window.h"

#include <cstring>

namespace dockorrery {

const char* programName(char* const* argv) {
  // An empty argument vector has no program name (Linux passes "" for it): use our own.
  return argv != nullptr && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : "dockorrery";
}

const char* displayNameFromArgs(char* const* argv) {
  const char* name = nullptr;
  if (argv == nullptr || argv[0] == nullptr) return name;  // nothing after the terminator to scan
  // Every element is examined, the one just taken as a name included, so the last -display wins.
  for (int i = 1; argv[i] != nullptr; i++) {
    if (strcmp(argv[i], "-display") == 0) name = argv[i + 1];
  }
  return name;
}

}  // namespace dockorrery
