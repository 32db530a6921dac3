// The constants every shape builds with. Angles added to or taken from a
// shape's angles are doubles; the sweeps stored for whole, half and quarter
// circles are the single-precision values of 2pi, pi and pi/2.
#pragma once

#include <bit>
#include <cstdint>

namespace quarnel::explode {

inline constexpr double kPi = 3.141592653589793;
// Deliberately the short decimal, not the double nearest pi/2: stored outlines
// were produced with this value.
inline constexpr double kHalfPi = 1.570796326795;

inline constexpr float kFullTurnSweep = std::bit_cast<float>(uint32_t{0x40C90FDB});
inline constexpr float kHalfTurnSweep = std::bit_cast<float>(uint32_t{0x40490FDB});
inline constexpr float kQuarterTurnSweep = std::bit_cast<float>(uint32_t{0x3FC90FDB});

}  // namespace quarnel::explode
