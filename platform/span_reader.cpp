#include "platform/span_reader.h"

namespace quarnel::platform {

void CopyBlock(void* to, const void* from, size_t size) { std::memcpy(to, from, size); }

}  // namespace quarnel::platform
