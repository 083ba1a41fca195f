// A GoogleTest listener for the tests of the X harness: in the sanitized build it fails the test
// during which a program the harness started wrote a sanitizer report.
#include <gtest/gtest.h>

#include "tests/support/sanitizer_reports.h"

#ifdef DOCKORRERY_SANITIZED

namespace {

// Fails the test that was running when a started program wrote a report. End events reach the
// listeners in reverse order, so this one runs before the printer shows the test's result.
class ReportCheck : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override {
    std::string reports = takeSanitizerReports();
    EXPECT_TRUE(reports.empty()) << "sanitizer reports of programs this test started:\n"
                                 << reports;
  }
};

// Installed before main: this file is linked into every test of the X harness as an object.
const bool kReportCheckInstalled = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new ReportCheck);
  return true;
}();

}  // namespace

#endif
