// libFuzzer's entry: any bytes, read as a minor planet's line and as a comet's, must keep the
// readers' promises (tests/support/mpc_line_promises.h): no byte read past the input (ASan sees
// to that, the input being exactly its length), no undefined operation (UBSan), a success with
// finite elements in their ranges that the orbit takes, a failure with its error and NaN.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "astronomy/mpc_orbits.h"
#include "tests/support/mpc_line_promises.h"

using namespace dockorrery;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  MpcOrbit planet, comet;
  const char* faults[2] = {
      mpc_promises::broken(parseMpcMinorPlanetLine(planet, line), planet,
                           MpcBodyKind::MinorPlanet),
      mpc_promises::broken(parseMpcCometLine(comet, line), comet, MpcBodyKind::Comet)};
  for (int i = 0; i < 2; ++i) {
    if (faults[i]) {
      std::fprintf(stderr, "%s reader: %s\n", i == 0 ? "minor planet" : "comet", faults[i]);
      std::abort();
    }
  }
  return 0;
}
