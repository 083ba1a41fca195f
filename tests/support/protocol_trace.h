// The X protocol a client speaks, recorded by xtrace posing as a display of its own that forwards
// everything to a private X server.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/xharness.h"

// One line of xtrace's record.
struct TraceLine {
  enum Kind { kRequest, kReply, kEvent, kError, kOther };
  Kind kind = kOther;
  bool fromClient = false;
  std::string name;  // request or event name ("CopyArea", "Expose"); empty for others
  std::string text;  // the whole line
};

// The value of `field` ("dst-drawable") in a line, or "" when the line has none.
std::string traceField(const TraceLine& line, const std::string& field);

class ProtocolTrace {
 public:
  // Starts xtrace on a display number nobody uses, forwarding to `server`.
  explicit ProtocolTrace(const XServer& server);
  ~ProtocolTrace();
  ProtocolTrace(const ProtocolTrace&) = delete;
  ProtocolTrace& operator=(const ProtocolTrace&) = delete;

  const std::string& name() const { return display_.name; }  // ":M", the display to give the client
  // Everything recorded so far, parsed.
  std::vector<TraceLine> lines() const;

 private:
  Child xtrace_;
  ClaimedDisplay display_;
  TemporaryDirectory folder_;  // holds xtrace's record
  std::string outPath_;
};
