// The X harness as the tests use it: everything of tests/support/xharness.h, and in the
// sanitized build a check after each test that fails it when a program it started wrote a
// sanitizer report (tests/support/sanitizer_reports.h).
#pragma once

#include "tests/support/xharness.h"
