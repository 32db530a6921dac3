// Nothing may be thrown across the boundary to the host: every entry point runs
// its body through Guarded, which answers with `failure` if anything escapes.
#pragma once

#include <utility>

namespace quarnel::exports {

template <typename Result, typename Body>
Result Guarded(Result failure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return failure;
  }
}

template <typename Body>
void GuardedVoid(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}

}  // namespace quarnel::exports
