// Shared set-up of the Send and Receive entry point tests: a scratch drive C:,
// a fresh module state, and tools and files built with the test-side writers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exports/tool_exchange_state.h"
#include "platform/message_box.h"
#include "quarnel/quarnel.h"
#include "tests/support/library_writer.h"
#include "tests/support/scratch_dir.h"

namespace quarnel::exports {

// Special-tool paths as the loader roots them in the default folder.
inline std::string SpecialPath(const std::string& name) {
  return "c:\\Tervan\\Moldrin\\SPECTOOL\\" + name + ".spt";
}

// A tool of type 3 whose values are all told apart by `seed`; its keyed
// count (2) survives a load unchanged.
inline testing::ToolFields RectangleTool(float seed) {
  testing::ToolFields tool;
  tool.size = seed;
  tool.typeCode = 3;
  tool.x = seed + 0.1f;
  tool.y = seed + 0.2f;
  tool.z = seed + 0.3f;
  tool.keyedCount = 2;
  tool.angles = {seed + 1.0f, seed + 2.0f, seed + 3.0f, seed + 4.0f};
  tool.dieClearanceCount = 3;
  tool.dieClearances = {seed + 5.0f, seed + 6.0f, seed + 7.0f, seed + 8.0f};
  tool.valueA = seed + 9.0f;
  tool.valueB = seed + 10.0f;
  tool.valueC = seed + 11.0f;
  tool.valueD = seed + 12.0f;
  return tool;
}

// A special tool tied to path entry `index` (1-based), flagged by z = 1.
inline testing::ToolFields SpecialTool(float seed, int32_t index) {
  testing::ToolFields tool = RectangleTool(seed);
  tool.typeCode = 108;
  tool.specialToolIndex = index;
  tool.z = 1.0f;
  for (size_t i = 0; i < tool.specialBlock.size(); ++i) {
    tool.specialBlock[i] = static_cast<uint8_t>(0x40 + i);
  }
  return tool;
}

// Sends `tool` through SendTool with index `index` and special-tool name `name`.
inline int SendFields(int index, const testing::ToolFields& tool, const char* name = nullptr) {
  return SendTool(index, tool.size, tool.typeCode, name, tool.x, tool.y, tool.z, tool.keyedCount,
                  tool.angles[0], tool.angles[1], tool.angles[2], tool.angles[3],
                  tool.dieClearanceCount, tool.dieClearances[0], tool.dieClearances[1],
                  tool.dieClearances[2], tool.dieClearances[3], tool.valueA, tool.valueB,
                  tool.valueC, tool.valueD);
}

// A new host list item holding `tool`'s values.
inline ToolListItem* ItemOf(const testing::ToolFields& tool, const char* name = "") {
  return new ToolListItem(tool.size, tool.typeCode, CString(name), tool.x, tool.y, tool.z,
                          tool.keyedCount, tool.angles[0], tool.angles[1], tool.angles[2],
                          tool.angles[3], tool.dieClearanceCount, tool.dieClearances[0],
                          tool.dieClearances[1], tool.dieClearances[2], tool.dieClearances[3],
                          tool.valueA, tool.valueB, tool.valueC, tool.valueD);
}

// Deletes the host's items, as the host does, and empties the list.
inline void DeleteItems(CObList& list) {
  for (POSITION at = list.GetHeadPosition(); at != nullptr;) delete list.GetNext(at);
  list.RemoveAll();
}

// Equal bytes, or the first offset where they differ.
inline ::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at byte " << at;
}

class ToolExchangeTest : public ::testing::Test {
 protected:
  ToolExchangeTest() {
    ResetModuleState();
    previous_handler_ = platform::SetMessageHandler(&IgnoreMessage);
  }
  ~ToolExchangeTest() override {
    ResetModuleState();
    platform::SetMessageHandler(previous_handler_);
  }

  // Writes `bytes` at c:\<name> and returns that Windows path.
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    testing::WriteFileBytes(scratch_.DriveC(name), bytes);
    return "c:\\" + name;
  }
  std::string ReadFile(const std::string& name) const {
    return testing::ReadFileBytes(scratch_.DriveC(name));
  }
  bool FileExists(const std::string& name) const {
    return testing::FileExists(scratch_.DriveC(name));
  }

  testing::ScratchDir scratch_;

 private:
  static void IgnoreMessage(const char*) {}
  platform::MessageHandler previous_handler_ = nullptr;
};

}  // namespace quarnel::exports
