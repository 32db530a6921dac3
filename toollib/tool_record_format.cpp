#include "toollib/tool_record_format.h"

#include <type_traits>

#include "platform/span_reader.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {
namespace {

static_assert(std::is_trivially_copyable_v<ToolRecord>);

static_assert(kToolRecordPathBytes == kSpecialPathSize);

// Reads the on-disk record through `in` (a BinaryReader or a SpanReader).
template <typename Reader>
int DecodeRecord(Reader& in, int version, bool with_path, const SpecialToolLinks* links, ToolRecord& tool) {
  // Copied from a record defined elsewhere: a copy is a few vector moves, where
  // clearing in place compiles to a string instruction costlier than the read.
  tool = kNewToolRecord;
  if (!in.ReadF32(tool.size) || !in.ReadI32(tool.typeCode)) return 0;
  const bool special = tool.typeCode == kTypeSpecial;
  if (special && version >= kFirstVersionWithSpecialBlock &&
      !in.ReadBytes(tool.specialBlock, sizeof tool.specialBlock)) {
    return 0;
  }
  if (!in.ReadI32(tool.specialToolIndex)) return 0;
  if (with_path && special) {
    char path[kSpecialPathSize];
    if (!in.ReadText(path, sizeof path, kSpecialPathSize)) return 0;
    if (links != nullptr) tool.ResolveSpecialTool(path, *links);
  }
  if (!in.ReadI32(tool.extraIndex)) return 0;

  if (tool.typeCode == kTypeTriangle) {
    if (!in.ReadF32(tool.dimensions[1]) || !in.ReadF32(tool.dimensions[0]) || !in.ReadF32(tool.dimensions[2])) {
      return 0;
    }
  } else {
    // Not checked here: a short read shows through the next checked field.
    in.ReadF32(tool.dimensions[0]);
    in.ReadF32(tool.dimensions[1]);
    in.ReadF32(tool.dimensions[2]);
  }
  if (special) tool.FlagsFromZ();

  if (!in.ReadI32(tool.keyedCount)) return 0;
  for (float& angle : tool.angles) in.ReadF32(angle);
  if (tool.typeCode == kTypeRound && tool.keyedCount > 0) {
    tool.keyedCount = 0;
  } else if (tool.typeCode != kTypeRound && !special && tool.keyedCount <= 0) {
    tool.keyedCount = 1;
    tool.angles[0] = 0.0f;
  }

  if (!in.ReadI32(tool.dieClearanceCount)) return 0;
  for (float& clearance : tool.dieClearances) in.ReadF32(clearance);
  if (!in.ReadF32(tool.valueA) || !in.ReadF32(tool.valueB)) return 0;
  if (version >= kFirstVersionWithValuesCD) {
    in.ReadF32(tool.valueC);
    in.ReadF32(tool.valueD);
  }
  return 1;
}

}  // namespace

int DecodeToolRecord(platform::BinaryReader& in, int version, bool with_path, ToolRecord& tool,
                     const SpecialToolLinks* links) {
  // A record the reader's buffer holds whole is decoded from memory, without
  // the file reader's refill checks per field.
  if (const unsigned char* bytes = in.Buffered(kLongestToolRecordBytes)) {
    platform::SpanReader span(bytes, kLongestToolRecordBytes);
    const int result = DecodeRecord(span, version, with_path, links, tool);
    in.Skip(static_cast<int64_t>(span.consumed()));
    return result;
  }
  return DecodeRecord(in, version, with_path, links, tool);
}

int EncodeToolRecord(platform::BinaryWriter& out, const ToolRecord& tool, int version, bool with_path,
                     ToolLibrary* library) {
  // Every write is checked, so that a failed write never passes for a
  // complete record.
  const bool special = tool.typeCode == kTypeSpecial;
  bool ok = out.WriteF32(tool.size) && out.WriteI32(tool.typeCode);
  if (ok && special && version >= kFirstVersionWithSpecialBlock) {
    ok = out.WriteBytes(tool.specialBlock, sizeof tool.specialBlock);
  }
  ok = ok && out.WriteI32(tool.specialToolIndex);
  if (ok && with_path && special) {
    char path[kSpecialPathSize];
    tool.SpecialToolPath(path, library);
    ok = out.WriteText(path, kSpecialPathSize);
  }
  ok = ok && out.WriteI32(tool.extraIndex);
  const float* dimensions = tool.dimensions;
  if (tool.typeCode == kTypeTriangle) {
    ok = ok && out.WriteF32(dimensions[1]) && out.WriteF32(dimensions[0]);
  } else {
    ok = ok && out.WriteF32(dimensions[0]) && out.WriteF32(dimensions[1]);
  }
  ok = ok && out.WriteF32(dimensions[2]) && out.WriteI32(tool.keyedCount);
  for (float angle : tool.angles) ok = ok && out.WriteF32(angle);
  ok = ok && out.WriteI32(tool.dieClearanceCount);
  for (float clearance : tool.dieClearances) ok = ok && out.WriteF32(clearance);
  ok = ok && out.WriteF32(tool.valueA) && out.WriteF32(tool.valueB);
  if (version >= kFirstVersionWithValuesCD) ok = ok && out.WriteF32(tool.valueC) && out.WriteF32(tool.valueD);
  return ok ? 1 : 0;
}

int ToolRecord::ReadRecord(platform::BinaryReader& in, int version, bool with_path,
                           const SpecialToolLinks* links) {
  return DecodeToolRecord(in, version, with_path, *this, links);
}

int ToolRecord::WriteRecord(platform::BinaryWriter& out, bool with_path, ToolLibrary* library) {
  if (typeCode == kTypeSpecial) ZFromFlags();
  return EncodeToolRecord(out, *this, kCurrentLibraryVersion, with_path, library);
}

}  // namespace quarnel::toollib
