// Which display the command line names, and which program name messages carry.

#include <gtest/gtest.h>

#include "dock/dock_window.h"

#include <vector>

using namespace dockorrery;

namespace {

struct ScanCase {
  std::vector<const char*> args;  // without the terminating null pointer
  const char* expected;           // null: the display comes from DISPLAY
};

TEST(DisplayName, LastDisplayOptionWins) {
  const std::vector<ScanCase> cases = {
      {{"dockorrery"}, nullptr},
      {{"dockorrery", "-display", ":3"}, ":3"},
      {{"dockorrery", "-display", ":3", "-display", "host:7.1"}, "host:7.1"},
      {{"dockorrery", "-display"}, nullptr},                   // last argument: null name
      {{"dockorrery", "-display", ":3", "-display"}, nullptr},  // a trailing one still wins
      {{"dockorrery", "-display", "-display", ":5"}, ":5"},    // the taken name is examined too
      {{"dockorrery", "-geometry", "+1+1", "-display", ":2", "extra"}, ":2"},
      {{"dockorrery", "-Display", ":2", "--display", ":4", "-display=:6"}, nullptr},
      {{"-display", ":9"}, nullptr},  // element 0 is the program name, never an option
  };
  for (const ScanCase& c : cases) {
    std::vector<char*> argv;
    for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    const char* name = displayNameFromArgs(argv.data());
    if (c.expected == nullptr) {
      EXPECT_EQ(name, nullptr) << c.args.size() << " arguments, last " << c.args.back();
    } else {
      EXPECT_STREQ(name, c.expected);
    }
  }
}

TEST(DisplayName, EmptyArgumentVector) {
  char* empty[] = {nullptr, const_cast<char*>("-display"), const_cast<char*>(":1"), nullptr};
  // Nothing past the terminator is read, though memory after it holds an option here.
  EXPECT_EQ(displayNameFromArgs(empty), nullptr);
  EXPECT_STREQ(programName(empty), "dockorrery");
  char blank[] = "";
  char* blankName[] = {blank, nullptr};
  EXPECT_STREQ(programName(blankName), "dockorrery");
  char path[] = "./bin/dockorrery";
  char* withPath[] = {path, nullptr};
  EXPECT_STREQ(programName(withPath), "./bin/dockorrery");
}

}  // namespace
