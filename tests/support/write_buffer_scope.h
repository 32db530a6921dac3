// Sets the buffer size of the library's file writers for the lifetime of the
// object, so that a failing assertion never leaves it changed for later tests.
#pragma once

#include <cstddef>

#include "platform/binary_writer.h"

namespace quarnel::testing {

class WriteBufferScope {
 public:
  explicit WriteBufferScope(size_t size) : previous_(platform::SetWriteBufferSize(size)) {}
  ~WriteBufferScope() { platform::SetWriteBufferSize(previous_); }
  WriteBufferScope(const WriteBufferScope&) = delete;
  WriteBufferScope& operator=(const WriteBufferScope&) = delete;

 private:
  size_t previous_;
};

}  // namespace quarnel::testing
