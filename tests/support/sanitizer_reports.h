// Sanitizer reports of the programs the tests start, in the sanitized build of the suite.
#pragma once

#include <string>
#include <vector>

// `env` with the options a sanitized program started by a test runs under: its reports go to a
// file per process where the harness finds them (its standard error stays exactly what the
// program wrote), a report ends it with status 23, and ASan accepts libfaketime preloaded ahead
// of it and never reads the clock itself (which would reach libfaketime before it is ready). In other builds `env` is returned unchanged.
std::vector<std::string> withSanitizerOptions(std::vector<std::string> env);

// UBSan, as GCC links it beside ASan, ignores log_path and writes its reports to standard error:
// killChild hands each child's standard error here, and its UBSan reports join the others.
void keepStderrReports(const std::string& stderrText);

// Every report written since the last call, removed as they are read; empty in other builds.
// After each test the harness takes them itself and fails the test when there are any.
std::string takeSanitizerReports();
