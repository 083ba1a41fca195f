#include "tests/support/sanitizer_reports.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifdef DOCKORRERY_SANITIZED

namespace {

// Made when first needed, removed at exit. A plain array, so that it outlives every destructor
// that runs before the removal.
const char* reportDirectory() {
  static char directory[] = "/tmp/dockorrery-sanitizer.XXXXXX";
  static const bool made = [] {
    if (mkdtemp(directory) == nullptr) throw std::runtime_error("mkdtemp failed");
    // Only by this process: a death test's fork runs the same exit handlers.
    static const pid_t owner = getpid();
    atexit([] {
      if (getpid() == owner) std::filesystem::remove_all(directory);
    });
    return true;
  }();
  (void)made;
  return directory;
}

// Appends `options` to the variable `name` of `env`; later options win over earlier ones.
void appendOptions(std::vector<std::string>& env, const std::string& name,
                   const std::string& options) {
  for (std::string& entry : env) {
    if (entry.compare(0, name.size() + 1, name + "=") == 0) {
      entry += ":" + options;
      return;
    }
  }
  env.push_back(name + "=" + options);
}

}  // namespace

std::vector<std::string> withSanitizerOptions(std::vector<std::string> env) {
  const std::string logPath = "log_path=" + std::string(reportDirectory()) + "/report";
  // allocator_release_to_os_interval_ms=-1: otherwise ASan's allocator reads CLOCK_MONOTONIC
  // the first time it hands out each size of block, with that size's lock held, from before any
  // preloaded library is initialised. With libfaketime preloaded that read is libfaketime's, whose
  // first call looks its own symbols up with dlsym; dlsym allocates the text of a lookup that
  // fails, and when that text falls in the size being set up the program waits on its own lock
  // for ever. Which size that is depends on the length of the program's path and environment.
  appendOptions(env, "ASAN_OPTIONS",
                logPath +
                    ":exitcode=23:detect_leaks=1:verify_asan_link_order=0"
                    ":allocator_release_to_os_interval_ms=-1");
  // UBSan's own log_path is ignored: see keepStderrReports.
  appendOptions(env, "UBSAN_OPTIONS", "exitcode=23:print_stacktrace=1");
  return env;
}

void keepStderrReports(const std::string& stderrText) {
  // UBSan's reports are the lines "file:line:column: runtime error: ..." and their stacks.
  if (stderrText.find(": runtime error: ") == std::string::npos) return;
  static int count = 0;
  const std::string path = std::string(reportDirectory()) + "/stderr." + std::to_string(++count);
  std::ofstream(path) << stderrText;
}

std::string takeSanitizerReports() {
  std::string reports;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(reportDirectory(), ignored)) {
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    reports += entry.path().filename().string() + ":\n" + text.str();
    std::filesystem::remove(entry.path());
  }
  return reports;
}

#else

std::vector<std::string> withSanitizerOptions(std::vector<std::string> env) { return env; }

void keepStderrReports(const std::string&) {}

std::string takeSanitizerReports() { return ""; }

#endif
