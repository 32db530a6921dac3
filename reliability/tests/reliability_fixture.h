// Shared set-up of the reliability tests: a scratch drive C: with the entry
// sequences' fixture files, no message box, and the module state of the
// library as it is at load, before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "exports/module_state.h"
#include "exports/tool_exchange_state.h"
#include "platform/message_box.h"
#include "reliability/tests/entry_sequences.h"
#include "tests/support/scratch_dir.h"

namespace quarnel::reliability {

// Every finding on its own line, for a failure message.
inline std::string Describe(const Findings& findings) {
  std::string text;
  for (const std::string& finding : findings) text += "\n  " + finding;
  return text;
}

// The byte sweeps run thousands of entry sequences, each writing files; the
// Windows build runs its tests under an emulator where that takes minutes, and
// its readers are the same code, so the sweeps run on the native builds only.
#ifdef _WIN32
#define SKIP_SWEEP_ON_WINDOWS() GTEST_SKIP() << "byte sweeps run on the native builds"
#else
#define SKIP_SWEEP_ON_WINDOWS() static_cast<void>(0)
#endif

class ReliabilityTest : public ::testing::Test {
 protected:
  ReliabilityTest() {
    ResetModuleState();
    previous_handler_ = platform::SetMessageHandler(&IgnoreMessage);
    PrepareFixtures();
  }
  ~ReliabilityTest() override {
    ResetModuleState();
    platform::SetMessageHandler(previous_handler_);
  }

  testing::ScratchDir scratch_;

 private:
  static void IgnoreMessage(const char*) {}
  platform::MessageHandler previous_handler_ = nullptr;
};

}  // namespace quarnel::reliability
