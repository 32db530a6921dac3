#include "spectool/geom_point.h"

#include <cmath>
#include <numbers>

namespace quarnel::spectool {
namespace {

constexpr double kReuseWithin = 0.0001;

constexpr float kSinglePi = 3.1415927f;
constexpr float kSingleTurn = 6.2831855f;
// Beyond this many radians an angle is first reduced by fmod, so that the
// turn-by-turn reduction stays short (and ends for huge angles).
constexpr double kFarOffAngle = 1000.0 * kSingleTurn;

}  // namespace

void GeomPoint::RotateAbout(const GeomPoint& centre, double t, RotationCache& cache) {
  if (!(std::fabs(t - cache.angle) < kReuseWithin)) {
    cache.sine = std::sin(t);
    cache.cosine = std::cos(t);
    cache.angle = t;
  }
  const double dx = double{x} - centre.x;
  const double dy = double{y} - centre.y;
  x = static_cast<float>(centre.x + dx * cache.cosine - dy * cache.sine);
  y = static_cast<float>(centre.y + dy * cache.cosine + dx * cache.sine);
}

double OppositeAngle(float a) {
  double r = static_cast<double>(a) + static_cast<double>(kSinglePi);
  if (!std::isfinite(r)) return r;
  if (std::fabs(r) > kFarOffAngle) r = std::fmod(r, static_cast<double>(kSingleTurn));
  while (r > std::numbers::pi) r -= kSingleTurn;
  while (r < -std::numbers::pi) r += kSingleTurn;
  return r;
}

}  // namespace quarnel::spectool
