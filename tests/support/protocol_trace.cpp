#include "tests/support/protocol_trace.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// The word that starts at `begin`, up to a space, '(' or the end.
std::string wordAt(const std::string& text, size_t begin) {
  size_t end = text.find_first_of(" (", begin);
  return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// A line reads "CCC:D:SEQ..." with CCC the connection and D '<' from the client, '>' to it.
TraceLine parseLine(const std::string& text) {
  TraceLine line;
  line.text = text;
  if (text.size() < 7 || text[3] != ':' || text[5] != ':') return line;
  line.fromClient = text[4] == '<';
  size_t at;
  if (line.fromClient && (at = text.find("Request(")) != std::string::npos) {
    line.kind = TraceLine::kRequest;
    // Extension requests read "SHAPE-Request(129,2): Mask": keep the extension's name.
    size_t tokenStart = text.rfind(' ', at) + 1;
    std::string extension = text.substr(tokenStart, at - tokenStart);
    size_t nameStart = text.find("): ", at);
    if (nameStart != std::string::npos) line.name = extension + wordAt(text, nameStart + 3);
  } else if (!line.fromClient && (at = text.find(": Event ")) != std::string::npos) {
    line.kind = TraceLine::kEvent;
    // Events that came through SendEvent read "Event (generated) Expose(12) ...".
    size_t nameStart = at + 8;
    if (text.compare(nameStart, 12, "(generated) ") == 0) nameStart += 12;
    line.name = wordAt(text, nameStart);
  } else if (!line.fromClient && text.find(": Reply to ") != std::string::npos) {
    line.kind = TraceLine::kReply;
  } else if (!line.fromClient && text.find(":Error ") != std::string::npos) {
    line.kind = TraceLine::kError;
  }
  return line;
}

}  // namespace

std::string traceField(const TraceLine& line, const std::string& field) {
  const std::string key = " " + field + "=";
  size_t at = line.text.find(key);
  if (at == std::string::npos) return "";
  return wordAt(line.text, at + key.size());
}

ProtocolTrace::ProtocolTrace(const XServer& server)
    : folder_("xtrace"), outPath_(folder_.path() + "/trace") {
  display_ = claimDisplay();
  // -n: no xauth, the private server needs none; -k: keep listening between clients.
  xtrace_ = spawn("/usr/bin/xtrace",
                  {"xtrace", "-n", "-k", "-d", server.name(), "-D", display_.name, "-o", outPath_},
                  environmentWith({}));
  if (!waitUntil([&] { return exists(display_.socketPath); })) {
    std::string err = childStderr(xtrace_);
    killChild(xtrace_);
    releaseDisplay(display_);
    throw std::runtime_error("xtrace did not start: " + err);
  }
}

ProtocolTrace::~ProtocolTrace() {
  killChild(xtrace_);
  releaseDisplay(display_);  // xtrace leaves its socket behind
}

std::vector<TraceLine> ProtocolTrace::lines() const {
  std::ifstream in(outPath_);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<TraceLine> result;
  // Only whole lines: xtrace may be halfway through writing the last one.
  for (size_t begin = 0, end; (end = all.find('\n', begin)) != std::string::npos; begin = end + 1) {
    result.push_back(parseLine(all.substr(begin, end - begin)));
  }
  return result;
}
