// Jupiter's four large moons by the book's higher-accuracy method (Lieske's theory E5): their
// places on Jupiter's equator, turned to the sky of the Earth and of the Sun, and the phenomena
// those places make.
#include "astronomy/jupiter_moons.h"

#include <algorithm>
#include <cmath>

#include "astronomy/detail/vector.h"
#include "astronomy/tables/terms.h"
#include "base/body.h"
#include "ephemeris/position.h"

namespace dockorrery {

namespace {

using detail::Vector;

// Jupiter's equatorial radii in an AU (the book's rounding, with the theory's radius of
// 71398 km), and its polar radius over its equatorial one (IAU: 66854 km and 71492 km), for its
// flattened outline.
constexpr double kRadiiPerAu = 2095.0;
constexpr double kPolarRatio = 66854.0 / 71492.0;

double sind(double degrees) { return std::sin(degrees * kDegree); }
double cosd(double degrees) { return std::cos(degrees * kDegree); }

// The distance of Jupiter from the Earth, AU, from the book's mean orbits of the two (its
// lower-accuracy method for the moons).
double meanDistanceAu(double jdTt) {
  const double d = jdTt - kJ2000Epoch;
  const double V = 172.74 + 0.00111588 * d;
  const double M = 357.529 + 0.9856003 * d;
  const double N = 20.020 + 0.0830853 * d + 0.329 * sind(V);
  const double J = 66.115 + 0.9025179 * d - 0.329 * sind(V);
  const double K =
      J + 1.915 * sind(M) + 0.020 * sind(2 * M) - 5.555 * sind(N) - 0.168 * sind(2 * N);
  const double R = 1.00014 - 0.01671 * cosd(M) - 0.00014 * cosd(2 * M);
  const double r = 5.20872 - 0.25208 * cosd(N) - 0.00611 * cosd(2 * N);
  return std::sqrt(r * r + R * R - 2.0 * r * R * cosd(K));
}

// The theory's angles at t days from JDE 2443000.5, less the light time, in degrees.
struct Angles {
  double l[5], pi[5], omega[5];  // mean longitudes, perijoves and nodes, index 1 to 4
  double gamma, phi, psi, G, Gs;  // Jupiter's great inequality, the free libration, the node of
                                  // Jupiter's equator on the ecliptic, Jupiter's and Saturn's
                                  // mean anomalies
};
constexpr double kPerihelion = 13.469942;  // Jupiter's longitude of perihelion, Pi

Angles anglesAt(double t) {
  Angles a;
  a.l[1] = 106.07719 + 203.488955790 * t;
  a.l[2] = 175.73161 + 101.374724735 * t;
  a.l[3] = 120.55883 + 50.317609207 * t;
  a.l[4] = 84.44459 + 21.571071177 * t;
  a.pi[1] = 97.0881 + 0.16138586 * t;
  a.pi[2] = 154.8663 + 0.04726307 * t;
  a.pi[3] = 188.1840 + 0.00712734 * t;
  a.pi[4] = 335.2868 + 0.00184000 * t;
  a.omega[1] = 312.3346 - 0.13279386 * t;
  a.omega[2] = 100.4411 - 0.03263064 * t;
  a.omega[3] = 119.1942 - 0.00717703 * t;
  a.omega[4] = 322.6186 - 0.00175934 * t;
  a.gamma = 0.33033 * sind(163.679 + 0.0010512 * t) + 0.03439 * sind(34.486 - 0.0161731 * t);
  a.phi = 199.6766 + 0.17379190 * t;
  a.psi = 316.5182 - 0.00000208 * t;
  a.G = 30.23756 + 0.0830925701 * t + a.gamma;
  a.Gs = 31.97853 + 0.0334597339 * t;
  // Reduced to a turn: t reaches 10^6 days, and the sines of angles of 10^8 degrees lose digits.
  for (double* v : {&a.l[1], &a.l[2], &a.l[3], &a.l[4], &a.pi[1], &a.pi[2], &a.pi[3], &a.pi[4],
                    &a.omega[1], &a.omega[2], &a.omega[3], &a.omega[4], &a.phi, &a.G, &a.Gs}) {
    *v = std::fmod(*v, 360.0);
  }
  return a;
}

// The argument of a term of the theory, degrees: four sums of products side by side, which the
// processor adds up at once rather than one product after another.
double argument(const JupiterMoonTerm& t, const Angles& a) {
  const double longitudes = (t.l1 * a.l[1] + t.l2 * a.l[2]) + (t.l3 * a.l[3] + t.l4 * a.l[4]);
  const double perijoves =
      (t.pi1 * a.pi[1] + t.pi2 * a.pi[2]) + (t.pi3 * a.pi[3] + t.pi4 * a.pi[4]);
  const double nodes = (t.omega1 * a.omega[1] + t.omega2 * a.omega[2]) +
                       (t.omega3 * a.omega[3] + t.omega4 * a.omega[4]);
  const double rest = (t.psi * a.psi + t.G * a.G) + (t.Gs * a.Gs + t.phi * a.phi) +
                      (t.Pi * kPerihelion + t.phase);
  return (longitudes + perijoves) + (nodes + rest);
}

// The periodic terms in longitude, degrees (Sigma_1 to Sigma_4), and the radius vectors, in
// Jupiter's equatorial radii: the published tables, in their order.
void longitudeTerms(const Angles& a, double sigma[5]) {
  for (int k = 1; k <= 4; ++k) sigma[k] = 0.0;
  for (const JupiterMoonTerm& t : kJupiterMoonLongitudeTerms) {
    sigma[t.moon] += t.coefficient * sind(argument(t, a));
  }
}
void radii(const Angles& a, double R[5]) {
  constexpr double kMeanDistance[5] = {0.0, 5.90569, 9.39657, 14.98832, 26.36273};
  double sum[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
  for (const JupiterMoonTerm& t : kJupiterMoonRadiusTerms) {
    sum[t.moon] += t.coefficient * cosd(argument(t, a));
  }
  for (int k = 1; k <= 4; ++k) R[k] = kMeanDistance[k] * (1.0 + sum[k]);
}

// The latitudes above Jupiter's equator, rad, from the true longitudes L (degrees).
void latitudes(const Angles& a, const double L[5], const double sigma[5], double B[5]) {
  const double *l = a.l, *w = a.omega;
  const double psi = a.psi, G = a.G, P = kPerihelion;
  B[1] = std::atan(0.0006393 * sind(L[1] - w[1]) + 0.0001825 * sind(L[1] - w[2]) +
                   0.0000329 * sind(L[1] - w[3]) - 0.0000311 * sind(L[1] - psi) +
                   0.0000093 * sind(L[1] - w[4]) +
                   0.0000075 * sind(3 * L[1] - 4 * l[2] - 1.9927 * sigma[1] + w[2]) +
                   0.0000046 * sind(L[1] + psi - 2 * P - 2 * G));
  B[2] = std::atan(0.0081004 * sind(L[2] - w[2]) + 0.0004512 * sind(L[2] - w[3]) -
                   0.0003284 * sind(L[2] - psi) + 0.0001160 * sind(L[2] - w[4]) +
                   0.0000272 * sind(l[1] - 2 * l[3] + 1.0146 * sigma[2] + w[2]) -
                   0.0000144 * sind(L[2] - w[1]) + 0.0000143 * sind(L[2] + psi - 2 * P - 2 * G) +
                   0.0000035 * sind(L[2] - psi + G) -
                   0.0000028 * sind(l[1] - 2 * l[3] + 1.0146 * sigma[2] + w[3]));
  B[3] = std::atan(0.0032402 * sind(L[3] - w[3]) - 0.0016911 * sind(L[3] - psi) +
                   0.0006847 * sind(L[3] - w[4]) - 0.0002797 * sind(L[3] - w[2]) +
                   0.0000321 * sind(L[3] + psi - 2 * P - 2 * G) + 0.0000051 * sind(L[3] - psi + G) -
                   0.0000045 * sind(L[3] - psi - G) - 0.0000045 * sind(L[3] + psi - 2 * P) +
                   0.0000037 * sind(L[3] + psi - 2 * P - 3 * G) +
                   0.0000030 * sind(2 * l[2] - 3 * L[3] + 4.03 * sigma[3] + w[2]) -
                   0.0000021 * sind(2 * l[2] - 3 * L[3] + 4.03 * sigma[3] + w[3]));
  B[4] = std::atan(-0.0076579 * sind(L[4] - psi) + 0.0044134 * sind(L[4] - w[4]) -
                   0.0005112 * sind(L[4] - w[3]) + 0.0000773 * sind(L[4] + psi - 2 * P - 2 * G) +
                   0.0000104 * sind(L[4] - psi + G) - 0.0000102 * sind(L[4] - psi - G) +
                   0.0000088 * sind(L[4] + psi - 2 * P - 3 * G) -
                   0.0000038 * sind(L[4] + psi - 2 * P - G));
}

// The turn from Jupiter's equator (x to the node psi on the ecliptic) to the mean ecliptic and
// equinox of date: Jupiter's equator on its orbit (I), its orbit's node (Omega) and
// inclination (i) on the ecliptic; angles in degrees.
struct Orientation {
  double I, psiLessNode, i, node;
};
Vector toEcliptic(const Orientation& o, const Vector& in) {
  const double a1 = in.x, b1 = in.y * cosd(o.I) - in.z * sind(o.I),
               c1 = in.y * sind(o.I) + in.z * cosd(o.I);
  const double a2 = a1 * cosd(o.psiLessNode) - b1 * sind(o.psiLessNode),
               b2 = a1 * sind(o.psiLessNode) + b1 * cosd(o.psiLessNode);
  const double b3 = b2 * cosd(o.i) - c1 * sind(o.i), c3 = b2 * sind(o.i) + c1 * cosd(o.i);
  return {a2 * cosd(o.node) - b3 * sind(o.node), a2 * sind(o.node) + b3 * cosd(o.node), c3};
}

// An ecliptic vector seen along the direction of longitude `lon` and latitude `lat` (rad):
// across the line of sight (x, in the ecliptic; y, towards its pole) and along it (z).
Vector alongSight(const Vector& v, double lon, double lat) {
  const double a5 = v.x * std::sin(lon) - v.y * std::cos(lon);
  const double b5 = v.x * std::cos(lon) + v.y * std::sin(lon);
  return {a5, v.z * std::cos(lat) - b5 * std::sin(lat), v.z * std::sin(lat) + b5 * std::cos(lat)};
}

// The moons and Jupiter's pole seen from one place (the Earth or the Sun): X and Y turned so
// that Y runs along the pole's image on the sky, X to the west, Z along the line of sight.
struct View {
  double lon, lat, distanceAu;
};
void see(const View& view, const Vector& pole, const Vector (&moons)[5], Vector (&seen)[5]) {
  const Vector p = alongSight(pole, view.lon, view.lat);
  const double D = std::atan2(p.x, p.y);
  for (int k = 1; k <= 4; ++k) {
    const Vector s = alongSight(moons[k], view.lon, view.lat);
    seen[k] = {s.x * std::cos(D) - s.y * std::sin(D), s.x * std::sin(D) + s.y * std::cos(D), s.z};
  }
}

// Whether a place X, Y (Jupiter radii, seen from afar) lies on Jupiter's flattened disk.
bool onDisk(double x, double y) {
  return x * x + (y / kPolarRatio) * (y / kPolarRatio) < 1.0;
}

}  // namespace

bool computeJupiterMoons(JupiterMoons& out, double jdTt) {
  out.jdTt = jdTt;
  JupiterMoon* const moons[5] = {nullptr, &out.io, &out.europa, &out.ganymede, &out.callisto};
  for (int k = 1; k <= 4; ++k) *moons[k] = {NAN, NAN, NAN, false, false, false, false};
  if (!detail::withinSpan(jdTt)) return false;

  // Jupiter where the light that reaches the Earth at jdTt left it, a light time before: one
  // pass over its series at the instant the book's mean orbits give (their distance is good to
  // 0.05 AU over the span, 25 s of light, in which Jupiter moves 2e-6 AU: 0.1" seen from the
  // Earth), then the light time itself from that place, for the moons.
  BodyPosition earth, jupiter;
  computeBodyPosition(earth, static_cast<int>(Body::Earth), jdTt);
  computeBodyPosition(jupiter, static_cast<int>(Body::Jupiter),
                      jdTt - meanDistanceAu(jdTt) * kLightTimePerAu);
  const Vector j = detail::fromSpherical(jupiter.L, jupiter.B, jupiter.R);
  const Vector g = j - detail::fromSpherical(earth.L, earth.B, earth.R);
  const double tau = length(g) * kLightTimePerAu;
  const View fromEarth{std::atan2(g.y, g.x), std::atan2(g.z, std::hypot(g.x, g.y)), length(g)};
  const View fromSun{std::atan2(j.y, j.x), std::atan2(j.z, std::hypot(j.x, j.y)), length(j)};

  // The moons on Jupiter's equator, from the theory's mean longitudes and periodic terms.
  const Angles a = anglesAt(jdTt - 2443000.5 - tau);
  double sigma[5], L[5], B[5], R[5];
  longitudeTerms(a, sigma);
  for (int k = 1; k <= 4; ++k) L[k] = a.l[k] + sigma[k];
  latitudes(a, L, sigma, B);
  radii(a, R);
  // The longitudes, the node psi among them, from the equinox of B1950.0 to that of the date.
  const double T0 = (jdTt - 2433282.423) / kJulianCentury;
  const double psi = a.psi + 1.3966626 * T0 + 0.0003088 * T0 * T0;

  const double T = (jdTt - kJ2000Epoch) / kJulianCentury;
  const double node = 100.464407 + T * (1.0209774 + T * (0.00040315 + T * 0.000000404));
  const Orientation o{3.120262 + 0.0006 * (jdTt - 2415020.5) / kJulianCentury, psi - node,
                      1.303267 + T * (-0.0054965 + T * (0.00000466 - T * 0.000000002)), node};
  Vector ecliptic[5];
  for (int k = 1; k <= 4; ++k) {
    const double u = L[k] - a.psi;  // from the node, which the precession leaves where it is
    ecliptic[k] = toEcliptic(o, {R[k] * cosd(u) * std::cos(B[k]), R[k] * sind(u) * std::cos(B[k]),
                                 R[k] * std::sin(B[k])});
  }
  const Vector pole = toEcliptic(o, {0.0, 0.0, 1.0});

  Vector seen[5], lit[5];
  see(fromEarth, pole, ecliptic, seen);
  see(fromSun, pole, ecliptic, lit);
  // Each moon's own light time (its distance along the line of sight) and the perspective of
  // its place nearer or farther than Jupiter; the shadow is cast from the centre of the Sun.
  constexpr double kLightTimeFactor[5] = {0.0, 17295.0, 21819.0, 27558.0, 36548.0};
  for (int k = 1; k <= 4; ++k) {
    double x = seen[k].x, y = seen[k].y;
    const double z = seen[k].z;
    const double across = std::max(0.0, 1.0 - (x / R[k]) * (x / R[k]));
    x += std::fabs(z) / kLightTimeFactor[k] * std::sqrt(across);
    const double W = fromEarth.distanceAu / (fromEarth.distanceAu + z / kRadiiPerAu);
    JupiterMoon& m = *moons[k];
    m.x = x * W;
    m.y = y * W;
    m.z = z;
    const bool onFace = onDisk(m.x, m.y);
    m.transit = onFace && z < 0.0;
    m.occultation = onFace && z > 0.0;
    const double Ws = fromSun.distanceAu / (fromSun.distanceAu + lit[k].z / kRadiiPerAu);
    const bool inLine = onDisk(lit[k].x * Ws, lit[k].y * Ws);
    m.eclipse = inLine && lit[k].z > 0.0;
    m.shadowTransit = inLine && lit[k].z < 0.0;
  }
  return true;
}

}  // namespace dockorrery
