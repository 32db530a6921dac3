#include "spectool/geom_point.h"

#include <cmath>

namespace quarnel::spectool {
namespace {
constexpr double kNoCachedAngle = 1.0e10;
constexpr double kReuseWithin = 0.0001;
RotationCache g_cache{kNoCachedAngle, 0.0, 1.0};
}  // namespace

RotationCache& SharedRotationCache() { return g_cache; }

void ResetRotationCache() { g_cache = RotationCache{kNoCachedAngle, 0.0, 1.0}; }

void GeomPoint::RotateAbout(const GeomPoint& centre, double t) {
  if (!(std::fabs(t - g_cache.angle) < kReuseWithin)) {
    g_cache.sine = std::sin(t);
    g_cache.cosine = std::cos(t);
    g_cache.angle = t;
  }
  const double dx = double{x} - centre.x;
  const double dy = double{y} - centre.y;
  x = static_cast<float>(centre.x + dx * g_cache.cosine - dy * g_cache.sine);
  y = static_cast<float>(centre.y + dy * g_cache.cosine + dx * g_cache.sine);
}

}  // namespace quarnel::spectool
