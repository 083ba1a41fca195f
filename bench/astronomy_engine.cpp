// Runs bench/astronomy-engine/time-jobs.mjs and reads its lines, "NAME<TAB>nanoseconds".
#include "bench/astronomy_engine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The argument quoted for sh: in single quotes, each single quote closed, escaped and reopened.
std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'') {
      q.append("'\\''");
    } else {
      q.push_back(c);
    }
  }
  q.push_back('\'');
  return q;
}

bool exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

std::map<std::string, double> timeAstronomyEngine(const std::vector<std::string>& jobs,
                                                  std::string& why) {
  std::map<std::string, double> ns;
  const std::string source = SOURCE_DIR;
  if (std::system("command -v node >/dev/null 2>&1") != 0) {
    why = "node is not installed";
    return ns;
  }
  if (!exists(source + "/tools/astronomy-fixture/node_modules/astronomy-engine")) {
    why = "its package is not installed (cd tools/astronomy-fixture && npm ci)";
    return ns;
  }
  std::string command = "node ";
  command += quoted(source + "/bench/astronomy-engine/time-jobs.mjs");
  for (const std::string& job : jobs) {
    command += ' ';
    command += quoted(job);
  }
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    why = "node could not be started";
    return ns;
  }
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    const std::string text = line;
    const size_t tab = text.find('\t');
    if (tab != std::string::npos) {
      ns[text.substr(0, tab)] = std::strtod(text.c_str() + tab + 1, nullptr);
    }
  }
  if (pclose(pipe) != 0) {
    why = "the Node script failed";
    ns.clear();
  }
  return ns;
}
