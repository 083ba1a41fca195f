#include "tests/support/protocol_trace.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "applet/art/face_layout.h"

using namespace dockorrery;

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

// Rounded up to a whole number of the protocol's 4-byte units.
size_t padded(size_t bytes) { return (bytes + 3) / 4 * 4; }

// A line reads "CCC:D:SEQ..." with CCC the connection and D '<' from the client, '>' to it.
TraceLine parseLine(const std::string& text) {
  TraceLine line;
  line.text = text;
  if (text.size() < 7 || text[3] != ':' || text[5] != ':') return line;
  line.fromClient = text[4] == '<';
  size_t at;
  // The set-up, "CCC:<: am lsb-first want 11:0 authorising with 'NAME' of length N": 12 bytes,
  // then the authorisation's name and its N bytes of data, each padded.
  const std::string setUp = " authorising with '", ofLength = "' of length ";
  if (line.fromClient && text.compare(5, 5, ": am ") == 0 &&
      (at = text.find(setUp)) != std::string::npos) {
    const size_t nameEnd = text.rfind(ofLength);
    line.bytes = 12 + padded(nameEnd - at - setUp.size()) +
                 padded(std::stoul(text.substr(nameEnd + ofLength.size())));
    return line;
  }
  if (line.fromClient && (at = text.find("Request(")) != std::string::npos) {
    line.kind = TraceLine::kRequest;
    // "CCC:<:SEQ: LENGTH: ...Request(...": the request's length in bytes after its sequence number.
    line.bytes = std::stoul(text.substr(text.find(':', 6) + 1));
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

std::vector<size_t> frameStarts(const std::vector<TraceLine>& lines) {
  std::vector<size_t> at;
  for (size_t i = 0; i < lines.size(); i++) {
    const TraceLine& line = lines[i];
    if (line.kind == TraceLine::kRequest && line.name == "CopyArea" &&
        traceField(line, "src-x") == std::to_string(kClearBlockX) &&
        traceField(line, "src-y") == std::to_string(kClearBlockY) &&
        traceField(line, "width") == std::to_string(kWellSize) &&
        traceField(line, "height") == std::to_string(kWellSize)) {
      at.push_back(i);
    }
  }
  return at;
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

bool ProtocolTrace::holdsAllWrittenBy(pid_t pid) const {
  std::istringstream io(processFile(pid, "io"));
  for (std::string field; std::getline(io, field);) {
    if (field.rfind("wchar:", 0) != 0) continue;
    size_t recorded = 0;
    for (const TraceLine& line : lines()) recorded += line.bytes;
    return recorded == std::stoul(field.substr(6));
  }
  throw std::runtime_error("no count of bytes written for process " + std::to_string(pid));
}
