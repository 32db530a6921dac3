#include "platform/message_box.h"

namespace quarnel::platform {
namespace {
MessageHandler g_handler = nullptr;
}

void ShowMessage(const char* text) {
  if (text == nullptr) return;
  if (g_handler != nullptr) {
    g_handler(text);
  } else {
    SystemMessage(text);
  }
}

MessageHandler SetMessageHandler(MessageHandler handler) {
  MessageHandler previous = g_handler;
  g_handler = handler;
  return previous;
}

}  // namespace quarnel::platform
