// A sanitizer report of a program that a test starts reaches that test, with its own exit status.

#include <gtest/gtest.h>

#include "tests/support/sanitizer_reports.h"
#include "tests/support/xharness.h"

#include <sys/wait.h>

using namespace dockorrery;

namespace {

TEST(SanitizerReports, ReachTheTestThatStartedTheProgram) {
  struct Fault {
    const char* name;
    const char* report;
  };
  for (const Fault& fault : {Fault{"overflow", "ERROR: AddressSanitizer: heap-buffer-overflow"},
                             Fault{"leak", "ERROR: LeakSanitizer: detected memory leaks"},
                             Fault{"undefined", "runtime error: signed integer overflow"}}) {
    Child child = spawn(FAULT_PROGRAM, {FAULT_PROGRAM, fault.name}, environmentWith({}));
    int status = waitChild(child, std::chrono::seconds(20));
    ASSERT_TRUE(WIFEXITED(status)) << fault.name;
    EXPECT_EQ(WEXITSTATUS(status), 23) << fault.name;
    killChild(child);
    std::string reports = takeSanitizerReports();
    EXPECT_NE(reports.find(fault.report), std::string::npos) << fault.name << ":\n" << reports;
    EXPECT_EQ(takeSanitizerReports(), "") << "taken once";
  }
}

}  // namespace
