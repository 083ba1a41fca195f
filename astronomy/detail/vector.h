// Rectangular vectors and 3x3 matrices, for the places the library carries as vectors and the
// rotations between their frames. Each operation sums its products in one fixed order, left to
// right, so that a result does not depend on which routine computed it. Internal to the library;
// not installed.
#pragma once

#include <cmath>

namespace dockorrery::detail {

struct Vector {
  double x, y, z;
};

constexpr Vector operator+(const Vector& a, const Vector& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
constexpr Vector operator-(const Vector& a, const Vector& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
constexpr Vector operator*(double s, const Vector& v) { return {s * v.x, s * v.y, s * v.z}; }
constexpr double dot(const Vector& a, const Vector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr Vector cross(const Vector& a, const Vector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// By hypot, which neither overflows nor underflows on the way.
inline double length(const Vector& v) { return std::hypot(v.x, v.y, v.z); }

// The vector at `distance` in the direction of `longitude` and `latitude` (or right ascension
// and declination), rad.
inline Vector fromSpherical(double longitude, double latitude, double distance = 1.0) {
  const double c = std::cos(latitude) * distance;
  return {c * std::cos(longitude), c * std::sin(longitude), std::sin(latitude) * distance};
}

// A 3x3 matrix by its rows, acting on column vectors: (m v).x = dot(m.row[0], v).
struct Matrix {
  Vector row[3];
};

constexpr Vector operator*(const Matrix& m, const Vector& v) {
  return {dot(m.row[0], v), dot(m.row[1], v), dot(m.row[2], v)};
}
constexpr Matrix transpose(const Matrix& m) {
  return {{{m.row[0].x, m.row[1].x, m.row[2].x},
           {m.row[0].y, m.row[1].y, m.row[2].y},
           {m.row[0].z, m.row[1].z, m.row[2].z}}};
}
constexpr Matrix operator*(const Matrix& a, const Matrix& b) {
  const Matrix columns = transpose(b);
  return {{columns * a.row[0], columns * a.row[1], columns * a.row[2]}};
}

// The rotation that turns y towards z by `angle`, rad, about the x axis; its transpose turns
// back.
inline Matrix rotationAboutX(double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {{{1.0, 0.0, 0.0}, {0.0, c, -s}, {0.0, s, c}}};
}

// The rotation that turns x towards y by `angle`, rad, about the z axis.
inline Matrix rotationAboutZ(double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {{{c, -s, 0.0}, {s, c, 0.0}, {0.0, 0.0, 1.0}}};
}

}  // namespace dockorrery::detail
