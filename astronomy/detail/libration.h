// The optical and physical parts of the Moon's libration, which computeMoonLibration adds up.
// Internal to the library (its tests check the parts against the book); not installed.
#pragma once

namespace dockorrery::detail {

// The parts of the libration of the centre of the disk, rad.
struct LibrationParts {
  double opticalLongitude, opticalLatitude;    // l', b'
  double physicalLongitude, physicalLatitude;  // l'', b''
  double rho, sigma, tau;                      // the physical libration's series
};

// The parts at Julian Day `jdTt` (TT); false, every field NaN, where computeMoonLibration fails.
bool librationParts(LibrationParts& parts, double jdTt);

}  // namespace dockorrery::detail
