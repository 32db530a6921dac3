#include <windows.h>

#include "platform/message_box.h"

namespace quarnel::platform {

// A modal box with an OK button and no owner window: the library has none.
void SystemMessage(const char* text) { MessageBoxA(nullptr, text, "", MB_OK); }

}  // namespace quarnel::platform
