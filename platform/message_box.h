// The one user-visible output of the library: a modal message with an OK button.
#pragma once

namespace quarnel::platform {

using MessageHandler = void (*)(const char* text);

// Shows `text` and returns when the user has closed it (MessageBoxA on Windows;
// one line on standard error on POSIX, where no one can press OK).
void ShowMessage(const char* text);

// Replaces how messages are shown (nullptr restores the system's way); returns
// the previous handler. Tests use it so that nothing blocks.
MessageHandler SetMessageHandler(MessageHandler handler);

// The operating system's own way of showing a message.
void SystemMessage(const char* text);

}  // namespace quarnel::platform
