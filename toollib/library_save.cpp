// Writing a ToolLibrary as a version-92 tool library file.
#include "platform/binary_writer.h"
#include "platform/safe_write.h"
#include "toollib/tool_extra_format.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {

StatusCode ToolLibrary::Save(const char* path) {
  if (path == nullptr) return StatusCode::kFileCannotOpen;
  // The old file is replaced only once the new one is completely written.
  return platform::WriteFileSafely(path, [this](platform::File& file) {
        // The type table is rebuilt once the file is open: a file that
        // cannot be opened leaves the library as it was.
        RebuildTypeTable();
        platform::BinaryWriter out(file, platform::WriteBufferSize());
        return WriteLibraryFile(out) && out.Flush();
      });
}

bool ToolLibrary::WriteLibraryFile(platform::BinaryWriter& out) {
  const int32_t tool_count = static_cast<int32_t>(Count());
  bool ok = out.WriteI16(kCurrentLibraryVersion) && out.WriteI32(tool_count);
  for (const TypeSlotEntry& slot : types_) {
    ok = ok && out.WriteI32(slot.start) && out.WriteI32(slot.count);
  }

  ToolRecord tool;
  for (int32_t position = 1; ok && position <= tool_count; ++position) {
    ok = ReadAt(tool, position) != 0 && tool.WriteRecord(out, false) != 0;
  }

  const int32_t extra_count = static_cast<int32_t>(extras_.Count());
  ok = ok && out.WriteI32(extra_count);
  ToolExtra extra;
  for (int32_t k = 1; ok && k <= extra_count; ++k) {
    ok = ReadExtra(extra, k) != 0 && WriteToolExtra(out, extra);
  }

  const int32_t path_count = static_cast<int32_t>(paths_.Count());
  ok = ok && out.WriteI32(path_count);
  unsigned char entry[kSpecialPathSize];
  for (int32_t k = 1; ok && k <= path_count; ++k) {
    ok = paths_.ReadAt(entry, k) != 0 && out.WriteBytes(entry, sizeof entry);
  }
  return ok;
}

}  // namespace quarnel::toollib
