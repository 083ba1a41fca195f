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
  size_t bytes = 0;  // what the client wrote for a request, or for its connection set-up
  std::string text;  // the whole line
};

// The value of `field` ("dst-drawable") in a line, or "" when the line has none.
std::string traceField(const TraceLine& line, const std::string& field);

// Where each of the applet's idle frames starts in `lines`: at its first request, the copy of
// the black clear block over the plot well.
std::vector<size_t> frameStarts(const std::vector<TraceLine>& lines);

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
  // Whether the record holds every request the client `pid` has written so far: the bytes of its
  // requests against the bytes the process wrote (/proc/PID/io), for a client whose only output
  // is its X connection (the applet's, but for libfaketime, which writes a semaphore of its own).
  // xtrace takes a client's requests when it gets to them: while the client is stopped, this is
  // the state to wait for before reading the record as all that it sent.
  bool holdsAllWrittenBy(pid_t pid) const;

 private:
  Child xtrace_;
  ClaimedDisplay display_;
  TemporaryDirectory folder_;  // holds xtrace's record
  std::string outPath_;
};
