// Results that a caller drops on purpose pass through DropResult, so that a
// reader sees the choice was made and the compiler accepts it for results
// marked [[nodiscard]].
#pragma once

namespace quarnel::platform {

template <typename Result>
constexpr void DropResult(const Result& /*dropped on purpose*/) {}

}  // namespace quarnel::platform
