// A scratch folder, a library with the buffers it works with and captured
// messages for tool library tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "tests/support/scratch_dir.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {

// The default special-tool folder as a Windows path and its file name parts.
inline const std::string kFolder = "c:\\Tervan\\Moldrin\\SPECTOOL\\";
inline const std::string kFolderInDriveC = "Tervan\\Moldrin\\SPECTOOL\\";

class LibraryTest : public ::testing::Test {
 protected:
  LibraryTest() {
    Messages().clear();
    previous_handler_ = platform::SetMessageHandler(&Capture);
  }
  ~LibraryTest() override { platform::SetMessageHandler(previous_handler_); }

  static std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
  }

  // Writes `bytes` at c:\<name> and returns that Windows path.
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    testing::WriteFileBytes(scratch_.DriveC(name), bytes);
    return "c:\\" + name;
  }
  std::string ReadFile(const std::string& name) const {
    return testing::ReadFileBytes(scratch_.DriveC(name));
  }

  ToolRecord ToolAt(int32_t n) {
    ToolRecord tool;
    EXPECT_EQ(library_.ReadAt(tool, n), 1) << "position " << n;
    return tool;
  }

  std::string PathAt(int32_t k) {
    char path[kSpecialPathSize];
    library_.SpecialPathAt(k, path);
    return path;
  }

  // Special tools are tied into library_, as into the module's current library.
  SpecialToolLinks Links() { return {&library_, folder_}; }

  testing::ScratchDir scratch_;
  ToolLibrary library_;
  SpecialToolFolderBuffer folder_;
  SpecialToolNameBuffers names_;

 private:
  static void Capture(const char* text) { Messages().push_back(text); }
  platform::MessageHandler previous_handler_ = nullptr;
};

}  // namespace quarnel::toollib
