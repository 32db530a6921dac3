// Readable dumps of a library's type table and tools, for debugging.
#include <cstdio>
#include <string>

#include "platform/file_system.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {
namespace {

constexpr const char* kDumpFileName = "debug.txt";

template <typename... Args>
void AppendFormatted(std::string& text, const char* format, Args... args) {
  const int length = std::snprintf(nullptr, 0, format, args...);
  if (length <= 0) return;
  std::string piece(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(piece.data(), piece.size(), format, args...);
  piece.resize(static_cast<size_t>(length));
  text += piece;
}

std::string TypeTableText(const TypeTable& types) {
  std::string text = "\n TOOL TYPES TABLE:\n";
  text += "\t TYPE         START INDEX          NUMBER OF TOOL\n";
  for (int slot = 0; slot < kCodedTypeSlots; ++slot) {
    AppendFormatted(text, "\t %s           %4d                   %4d \n", TypeSlotLabel(slot),
                    types[slot].start, types[slot].count);
  }
  return text;
}

std::string ToolText(const ToolRecord& tool) {
  // An absent shape text prints as the C runtime prints a null %s.
  const char* shape = tool.shapeText() != nullptr ? tool.shapeText() : "(null)";
  std::string text;
  AppendFormatted(text, "(SIZE : %f) (TYPE : %d) (SHAPE : %s)\n", static_cast<double>(tool.size),
                  tool.typeCode, shape);
  AppendFormatted(text, "TOOL DIMENSION: (x = %f, y = %f, z = %f) \n",
                  static_cast<double>(tool.dimensions[0]), static_cast<double>(tool.dimensions[1]),
                  static_cast<double>(tool.dimensions[2]));
  AppendFormatted(text, "KEYED COUNT = %d \n", tool.keyedCount);
  AppendFormatted(text, "ANGLES: (a1 = %f, a2 = %f, a3 = %f, a4 = %f) \n",
                  static_cast<double>(tool.angles[0]), static_cast<double>(tool.angles[1]),
                  static_cast<double>(tool.angles[2]), static_cast<double>(tool.angles[3]));
  AppendFormatted(text, "DIECLEARANCECOUNT = %d \n", tool.dieClearanceCount);
  AppendFormatted(text, "DIE CLEARANCES: (d1 = %f, d2 = %f, d3 = %f, d4 = %f) \n",
                  static_cast<double>(tool.dieClearances[0]),
                  static_cast<double>(tool.dieClearances[1]),
                  static_cast<double>(tool.dieClearances[2]),
                  static_cast<double>(tool.dieClearances[3]));
  return text;
}

}  // namespace

void ToolLibrary::DumpToConsole() {
  const int32_t count = static_cast<int32_t>(Count());
  if (count == 0) return;
  std::string text = TypeTableText(types_);
  ToolRecord tool;
  for (int32_t position = 1; position <= count; ++position) {
    AppendFormatted(text, "Tool # %d \n", position);
    ReadAt(tool, position);
    text += ToolText(tool);
  }
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
}

void ToolLibrary::DumpToFile(int32_t first, int32_t last) {
  std::unique_ptr<platform::File> file =
      platform::Files().Open(kDumpFileName, platform::OpenMode::kAppend);
  if (!file) return;
  std::string text = TypeTableText(types_);
  Rewind();
  if (first > 1) Seek(first - 1);
  ToolRecord tool;
  while (ReadNext(tool) != 0) {
    const int32_t position = Position();
    if (position > last) break;
    AppendFormatted(text, "\nTool # %d ", position);
    text += ToolText(tool);
  }
  file->Write(text.data(), text.size());
  file->Close();
}

}  // namespace quarnel::toollib
