// The harness's answer to refused connections: Xvfb now and then refuses one (EAGAIN) when
// clients connect in quick succession. Here a display of the test's own refuses a set number of
// connections, each closed without an answer, which a client sees as a display it can't open,
// and then hands every later one to a real server.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/support/xharness.h"

using namespace dockorrery;

namespace {

using namespace std::chrono_literals;

const std::string kBinary = appletPath();

// Refuses the first `refusals` connections to its display, then puts a link to `server`'s socket
// in place of its own, so that later connections reach the server itself.
class RefusingDisplay {
 public:
  RefusingDisplay(const XServer& server, int refusals) : claim_(claimDisplay()) {
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    snprintf(address.sun_path, sizeof address.sun_path, "%s", claim_.socketPath.c_str());
    if (listener_ < 0 ||
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0) {
      releaseDisplay(claim_);
      throw std::runtime_error("cannot listen at " + claim_.socketPath);
    }
    const std::string serverSocket = "/tmp/.X11-unix/X" + server.name().substr(1);
    thread_ = std::thread([this, refusals, serverSocket] {
      while (refused_ < refusals && !stop_) {
        pollfd incoming = {listener_, POLLIN, 0};
        if (poll(&incoming, 1, 50) != 1) continue;
        const int connection = accept(listener_, nullptr, nullptr);
        // Counted, and after the last refusal the link renamed into place in one step, before
        // the client sees its connection closed: its next attempt reaches the server.
        if (++refused_ == refusals) {
          const std::string link = claim_.socketPath + ".link";
          if (symlink(serverSocket.c_str(), link.c_str()) == 0) {
            rename(link.c_str(), claim_.socketPath.c_str());
          }
        }
        if (connection >= 0) {
          // Its set-up request read first: a client writing to a closed connection would die of
          // SIGPIPE instead of seeing a display it can't open.
          pollfd request = {connection, POLLIN, 0};
          char bytes[4096];
          if (poll(&request, 1, 1000) == 1) (void)!read(connection, bytes, sizeof bytes);
          close(connection);
        }
      }
    });
  }
  ~RefusingDisplay() {
    stop_ = true;
    thread_.join();
    close(listener_);
    releaseDisplay(claim_);
  }
  RefusingDisplay(const RefusingDisplay&) = delete;
  RefusingDisplay& operator=(const RefusingDisplay&) = delete;

  const std::string& name() const { return claim_.name; }
  int refused() const { return refused_; }

 private:
  ClaimedDisplay claim_;
  int listener_ = -1;
  std::atomic<int> refused_ = 0;
  std::atomic<bool> stop_ = false;
  std::thread thread_;
};

TEST(RefusedConnections, TheHarnessConnectsAgain) {
  XServer server;
  {
    RefusingDisplay display(server, kConnectionAttempts - 1);
    Display* connection = connectDisplay(display.name());
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(ScreenCount(connection), 1);
    XCloseDisplay(connection);
    EXPECT_EQ(display.refused(), kConnectionAttempts - 1);
  }
  RefusingDisplay display(server, kConnectionAttempts);
  EXPECT_EQ(connectDisplay(display.name()), nullptr) << "gives up after every attempt refused";
  EXPECT_EQ(display.refused(), kConnectionAttempts);
}

TEST(RefusedConnections, AnAppletRefusedIsStartedAgainAndComesUp) {
  XServer server;
  RefusingDisplay display(server, 2);
  const std::vector<std::string> argv = {kBinary, "-display", display.name()};
  Child child = startUntil(kBinary, argv, environmentWith({}),
                           [&] { return !findWindowsByClass(server.display(), kBinary).empty(); });
  EXPECT_EQ(display.refused(), 2);
  EXPECT_EQ(waitChild(child, 0ms), -1) << "running";
  killChild(child);
}

TEST(RefusedConnections, AStartUpFailureStillFailsWithItsMessage) {
  XServer server;
  // A screen the server lacks: the applet connects, and ends with the message; to the harness
  // that reads as a refusal, tried again, and in the end reported with the message.
  const std::vector<std::string> argv = {kBinary, "-display", server.name() + ".1"};
  const std::string message = kBinary + ": can't open display " + server.name() + ".1\n";
  const Ending ending = runToEnd(kBinary, argv, environmentWith({}), message);
  EXPECT_TRUE(WIFEXITED(ending.status) && WEXITSTATUS(ending.status) == 1) << ending.status;
  EXPECT_EQ(ending.stderrText, message);
  try {
    startUntil(kBinary, argv, environmentWith({}), [] { return false; });
    ADD_FAILURE() << "came up";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
  }
}

TEST(RefusedConnections, ARunIsTriedAgainOnlyWhenTheRefusalWasNotExpected) {
  XServer server;
  // Ended by a refusal where that message was expected, a run is not tried again; where the
  // applet was expected to run, it is, and then runs until stopped.
  RefusingDisplay refusing(server, 1);
  const std::vector<std::string> refusedArgv = {kBinary, "-display", refusing.name()};
  const std::string refusedMessage = kBinary + ": can't open display " + refusing.name() + "\n";
  EXPECT_EQ(runToEnd(kBinary, refusedArgv, environmentWith({}), refusedMessage).stderrText,
            refusedMessage);
  EXPECT_EQ(refusing.refused(), 1);
  RefusingDisplay again(server, 1);
  bool up = false;
  const Ending running =
      runToEnd(kBinary, {kBinary, "-display", again.name()}, environmentWith({}), "", 10s, [&] {
        return up = again.refused() == 1 && !findWindowsByClass(server.display(), kBinary).empty();
      });
  EXPECT_TRUE(up) << "the run started again never came up";
  EXPECT_EQ(running.status, -1) << running.stderrText;
  EXPECT_EQ(again.refused(), 1);
}

}  // namespace
