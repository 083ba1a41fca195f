// The program of the Debian package, unpacked by package_test.sh, on a real X server: it draws the
// face the program of this build draws, pixel for pixel.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "tests/support/xharness.h"

using namespace dockorrery;

namespace {

TEST(Package, UnpackedProgramDrawsTheFace) {
  // One server each: without a window manager both would sit at the same place on the screen.
  XServer packagedServer, builtServer;
  Applet packaged = startApplet(packagedServer, {}, "2000-01-01 12:00:00",
                                PACKAGE_ROOT "/usr/bin/dockorrery");
  Applet built = startApplet(builtServer, {}, "2000-01-01 12:00:00");
  ASSERT_EQ(waitForReadout(packagedServer.display(), packaged.mainWindow, "01.01.2000"),
            "01.01.2000");
  ASSERT_EQ(waitForReadout(builtServer.display(), built.mainWindow, "01.01.2000"), "01.01.2000");
  Face face = grabFace(packagedServer.display(), packaged.mainWindow);
  EXPECT_EQ(labelText(face), "IN");
  EXPECT_EQ(face, grabFace(builtServer.display(), built.mainWindow));
  killChild(packaged.process);
  killChild(built.process);
}

}  // namespace
