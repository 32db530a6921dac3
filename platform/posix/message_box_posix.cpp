#include <cstdio>

#include "platform/message_box.h"

namespace quarnel::platform {

void SystemMessage(const char* text) { std::fprintf(stderr, "%s\n", text); }

}  // namespace quarnel::platform
