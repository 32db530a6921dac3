// The on-disk tool record shared by library files, special-tool files and
// station files.
#include <type_traits>

#include "toollib/tool_library.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {
namespace {

static_assert(std::is_trivially_copyable_v<ToolRecord>);

// Versions from which a record carries valueC/valueD, and a special tool its block.
constexpr int kFirstVersionWithValuesCD = 60;
constexpr int kFirstVersionWithSpecialBlock = 90;

}  // namespace

int ToolRecord::ReadRecord(platform::BinaryReader& in, int version, bool with_path) {
  // Copied from a record defined elsewhere: a copy is a few vector moves, where
  // clearing in place compiles to a string instruction costlier than the read.
  *this = kNewToolRecord;
  if (!in.ReadF32(size) || !in.ReadI32(typeCode)) return 0;
  const bool special = typeCode == kTypeSpecial;
  if (special && version >= kFirstVersionWithSpecialBlock &&
      !in.ReadBytes(specialBlock, sizeof specialBlock)) {
    return 0;
  }
  if (!in.ReadI32(specialToolIndex)) return 0;
  if (with_path && special) {
    char path[kSpecialPathSize];
    if (!in.ReadText(path, sizeof path, kSpecialPathSize)) return 0;
    ResolveSpecialTool(path);
  }
  if (!in.ReadI32(extraIndex)) return 0;

  if (typeCode == kTypeTriangle) {
    if (!in.ReadF32(dimensions[1]) || !in.ReadF32(dimensions[0]) || !in.ReadF32(dimensions[2])) {
      return 0;
    }
  } else {
    // Not checked here: a short read shows through the next checked field.
    in.ReadF32(dimensions[0]);
    in.ReadF32(dimensions[1]);
    in.ReadF32(dimensions[2]);
  }
  if (special) FlagsFromZ();

  if (!in.ReadI32(keyedCount)) return 0;
  for (float& angle : angles) in.ReadF32(angle);
  if (typeCode == kTypeRound && keyedCount > 0) {
    keyedCount = 0;
  } else if (typeCode != kTypeRound && !special && keyedCount <= 0) {
    keyedCount = 1;
    angles[0] = 0.0f;
  }

  if (!in.ReadI32(dieClearanceCount)) return 0;
  for (float& clearance : dieClearances) in.ReadF32(clearance);
  if (!in.ReadF32(valueA) || !in.ReadF32(valueB)) return 0;
  if (version >= kFirstVersionWithValuesCD) {
    in.ReadF32(valueC);
    in.ReadF32(valueD);
  }
  return 1;
}

int ToolRecord::WriteRecord(platform::BinaryWriter& out, bool with_path) {
  // Every write is checked, so that a failed write never passes for a
  // complete record.
  const bool special = typeCode == kTypeSpecial;
  if (special) ZFromFlags();
  bool ok = out.WriteF32(size) && out.WriteI32(typeCode);
  if (ok && special) ok = out.WriteBytes(specialBlock, sizeof specialBlock);
  ok = ok && out.WriteI32(specialToolIndex);
  if (ok && with_path && special) {
    char path[kSpecialPathSize];
    SpecialToolPath(path);
    ok = out.WriteText(path, kSpecialPathSize);
  }
  ok = ok && out.WriteI32(extraIndex);
  if (typeCode == kTypeTriangle) {
    ok = ok && out.WriteF32(dimensions[1]) && out.WriteF32(dimensions[0]);
  } else {
    ok = ok && out.WriteF32(dimensions[0]) && out.WriteF32(dimensions[1]);
  }
  ok = ok && out.WriteF32(dimensions[2]) && out.WriteI32(keyedCount);
  for (float angle : angles) ok = ok && out.WriteF32(angle);
  ok = ok && out.WriteI32(dieClearanceCount);
  for (float clearance : dieClearances) ok = ok && out.WriteF32(clearance);
  ok = ok && out.WriteF32(valueA) && out.WriteF32(valueB) && out.WriteF32(valueC) &&
       out.WriteF32(valueD);
  return ok ? 1 : 0;
}

}  // namespace quarnel::toollib
