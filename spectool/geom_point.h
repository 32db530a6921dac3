// GeomPoint: the two-dimensional point of all geometry arithmetic. Every
// operation computes in double precision and stores 32-bit floats.
#pragma once

namespace quarnel::spectool {

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
  // sine and cosine of the shared rotation cache.
  void RotateAbout(const GeomPoint& centre, double t);
};

// The shared rotation cache: the last angle whose sine and cosine were
// computed (initially 1.0e10) and their values. An angle strictly within
// 0.0001 of the cached one reuses the cached values and leaves the angle.
struct RotationCache {
  double angle;
  double sine;
  double cosine;
};
RotationCache& SharedRotationCache();
// Forgets the cached angle, as at load of the module.
void ResetRotationCache();

}  // namespace quarnel::spectool
