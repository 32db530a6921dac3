// GeomPoint: the two-dimensional point of all geometry arithmetic. Every
// operation computes in double precision and stores 32-bit floats.
#pragma once

namespace quarnel::spectool {

// The rotation cache shared by all points: the last angle whose sine and
// cosine were computed (initially 1.0e10, so that the first rotation computes)
// and their values. An angle strictly within 0.0001 of the cached one reuses
// the cached values and leaves the angle. The module state owns the one that
// the entry points share.
struct RotationCache {
  double angle = 1.0e10;
  double sine = 0.0;
  double cosine = 1.0;
};

struct GeomPoint {
  float x = 0.0f;
  float y = 0.0f;

  GeomPoint() = default;
  GeomPoint(double px, double py) : x(static_cast<float>(px)), y(static_cast<float>(py)) {}

  GeomPoint operator-() const { return {-static_cast<double>(x), -static_cast<double>(y)}; }
  GeomPoint operator+(const GeomPoint& o) const { return {double{x} + o.x, double{y} + o.y}; }
  GeomPoint operator-(const GeomPoint& o) const { return {double{x} - o.x, double{y} - o.y}; }
  GeomPoint& operator+=(const GeomPoint& o) { return *this = *this + o; }
  GeomPoint& operator-=(const GeomPoint& o) { return *this = *this - o; }
  GeomPoint operator*(double s) const { return {x * s, y * s}; }
  GeomPoint operator/(double s) const { return {x / s, y / s}; }
  GeomPoint& operator*=(double s) { return *this = *this * s; }
  GeomPoint& operator/=(double s) { return *this = *this / s; }
  GeomPoint operator+(double s) const { return {x + s, y + s}; }
  GeomPoint operator-(double s) const { return {x - s, y - s}; }
  GeomPoint& operator+=(double s) { return *this = *this + s; }
  GeomPoint& operator-=(double s) { return *this = *this - s; }

  // Rotates this point counter-clockwise by t radians about `centre`, with the
  // sine and cosine of `cache`.
  void RotateAbout(const GeomPoint& centre, double t, RotationCache& cache);
};

// The opposite direction of angle `a`: a + pi brought into [-pi, pi]. Angles
// that are not finite come back as a + pi.
double OppositeAngle(float a);

}  // namespace quarnel::spectool
