// What tying a special tool (type 108) to its special-tool file acts on: the
// library whose special path list holds the files, the folder buffer and the
// buffers in which names are handed out. The module state owns the buffers and
// the current library and hands them down.
#pragma once

#include "toollib/special_tool_folder.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {

// The two buffers of SpecialToolName, used in turn, so that a name stays
// valid until the second name after it.
struct SpecialToolNameBuffers {
  char text[2][kSpecialPathSize] = {};
  int next = 0;
};

// Where special tools are tied to their files: `library` is the current
// library (none: no tool is tied) and `folder` the buffer the special-tool
// folder is read into whenever a path is built.
struct SpecialToolLinks {
  ToolLibrary* library;
  SpecialToolFolderBuffer& folder;
};

}  // namespace quarnel::toollib
