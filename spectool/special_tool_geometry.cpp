// The entity section of a special-tool file, in its short (version 7) and long
// (later versions) forms, and the corrections applied to what it stores.
#include <cmath>
#include <numbers>

#include "spectool/geom_types.h"
#include "spectool/pattern_expansion.h"
#include "spectool/special_tool_reader.h"

namespace quarnel::spectool {
namespace {

using platform::BinaryReader;

constexpr float kSinglePi = 3.1415927f;
constexpr float kSingleTurn = 6.2831855f;
// Beyond this many radians an angle is first reduced by fmod, so that the
// turn-by-turn reduction stays short (and ends for huge angles).
constexpr double kFarOffAngle = 1000.0 * kSingleTurn;

constexpr float kDegreesPerRadian = 57.29578f;
constexpr double kFullTurnDegrees = 360.0;
// The sweep that a too-long arc or slot gets: the float 6.2831821.
constexpr double kLargestSweep = 6.283185307179586 - 0.0001 * 0.033333335;
// A thousandth of a degree, in radians; smaller V-notch angles become pi/2.
constexpr float kSmallestNotchAngle = 1.7453292e-05f;
constexpr float kSingleHalfPi = 1.5707964f;

// Bytes of the long form's unused trailing fields.
constexpr size_t kLongFormGap = 8;
constexpr int32_t kMaxLongFormExtras = 2;
constexpr size_t kLongFormText = 256;
constexpr size_t kLongFormTail = 12;
constexpr int32_t kMaxParams = 9;
// The short form stores four of a V notch's five parameters.
constexpr int kShortFormNotchParams = 4;

bool IsPattern(int type) { return Kind(type) == GeomKind::kPattern; }

bool Discard(BinaryReader& in, size_t bytes) {
  unsigned char scratch[kLongFormText];
  return in.ReadBytes(scratch, bytes);
}

// Reads one entity section into the list. The working entity is kept from
// entry to entry: parameters an entry does not store stay as the previous
// entry left them.
class EntityReader {
 public:
  EntityReader(BinaryReader& in, GeomItemList& items) : in_(in), items_(items) {}

  bool ReadShortForm();
  bool ReadLongForm();

 private:
  bool ReadShortEntry();
  bool ReadLongEntry();
  bool ReadParams(int count);
  void Store();

  // The fields of the entry being read; unpacked, so that reads can fill them.
  struct Entry {
    int8_t type = 0;
    int32_t ref = 0;
    uint32_t flags = 0;
    float x = 0.0f;
    float y = 0.0f;
    float p[9] = {};
  };

  BinaryReader& in_;
  GeomItemList& items_;
  Entry work_;
  GeomPoint group_offset_;
};

bool EntityReader::ReadShortForm() {
  int16_t count = 0;
  int16_t unused = 0;
  if (!in_.ReadI16(count) || !in_.ReadI16(unused) || !in_.ReadI16(unused)) return false;
  for (int16_t i = 0; i < count; ++i) {
    if (!ReadShortEntry()) return false;
  }
  return true;
}

bool EntityReader::ReadShortEntry() {
  int8_t type = 0;
  int16_t ref = 0;
  int16_t flags = 0;
  unsigned char unused[2];
  if (!in_.ReadI8(type) || !in_.ReadBytes(unused, 2) || !in_.ReadI16(ref) || !in_.ReadBytes(unused, 2) ||
      !in_.ReadI16(flags)) {
    return false;
  }
  work_.type = type;
  work_.ref = ref;
  work_.flags = static_cast<uint32_t>(static_cast<int32_t>(flags));
  if (!IsPattern(type)) work_.flags &= ~kFlagRefInUse;
  if (!in_.ReadF32(work_.x) || !in_.ReadF32(work_.y)) return false;

  if (type == kGeomVNotch) {
    if (!ReadParams(kShortFormNotchParams)) return false;
    work_.p[4] = 0.0f;
  } else {
    // A code without a parameter count leaves the rest of the section unreadable.
    const int count = ParamCount(type);
    if (count < 0 || !ReadParams(count)) return false;
  }

  float* p = work_.p;
  if (type == kGeomSingleD) p[2] = static_cast<float>(OppositeAngle(p[2]));
  if ((type == kGeomRadiusedSlot || type == kGeomArc) &&
      std::fabs(static_cast<double>(p[2]) * kDegreesPerRadian) > kFullTurnDegrees) {
    p[2] = static_cast<float>(p[2] > 0 ? kLargestSweep : -kLargestSweep);
  }
  if ((type == kGeomSingleD || type == kGeomDoubleD) && std::fabs(p[0]) < std::fabs(p[1])) p[1] = p[0];
  if (type == kGeomVNotch && p[4] < kSmallestNotchAngle) p[4] = kSingleHalfPi;
  Store();
  return true;
}

bool EntityReader::ReadLongForm() {
  int32_t unused = 0;
  int32_t count = 0;
  if (!in_.ReadI32(unused) || !in_.ReadI32(unused) || !in_.ReadI32(count)) return false;
  for (int32_t i = 0; i < count; ++i) {
    if (!ReadLongEntry()) return false;
  }
  return true;
}

bool EntityReader::ReadLongEntry() {
  int32_t param_count = 0;
  if (!in_.ReadI8(work_.type) || !in_.ReadI32(work_.ref) || !in_.ReadU32(work_.flags) ||
      !in_.ReadF32(work_.x) || !in_.ReadF32(work_.y) || !in_.ReadI32(param_count)) {
    return false;
  }
  // A count outside 0..9 stores no parameter; the entry goes on with the next field.
  if (param_count >= 0 && param_count <= kMaxParams && !ReadParams(param_count)) return false;
  if (work_.type == kGeomSingleD) work_.p[2] = static_cast<float>(OppositeAngle(work_.p[2]));

  int32_t extras = 0;
  int32_t text_flag = 0;
  if (!Discard(in_, kLongFormGap) || !in_.ReadI32(extras)) return false;
  if (extras >= 0 && extras <= kMaxLongFormExtras && !Discard(in_, 4 * static_cast<size_t>(extras))) {
    return false;
  }
  if (!in_.ReadI32(text_flag)) return false;
  if (text_flag > 0 && !Discard(in_, kLongFormText)) return false;
  if (!Discard(in_, kLongFormTail)) return false;

  if (work_.type == kGeomVNotch && work_.p[4] < kSmallestNotchAngle) work_.p[4] = kSingleHalfPi;
  Store();
  return true;
}

bool EntityReader::ReadParams(int count) {
  for (int i = 0; i < count; ++i) {
    if (!in_.ReadF32(work_.p[i])) return false;
  }
  return true;
}

// A group entry only moves the entries after it (to its own point, not by
// adding to the previous move); every other entry is stored, moved.
void EntityReader::Store() {
  const GeomPoint point(work_.x, work_.y);
  if (work_.type == kGeomGroup) {
    group_offset_ = point;
    return;
  }
  // Entries beyond the outline's limit are read (a short file still reports
  // so) but not kept, so that a huge file cannot fill the host's memory.
  if (items_.Count() >= kMaxExpandedItems) return;
  GeomItem item(work_.type, work_.ref, work_.flags & ~kFlagGroupMember, point + group_offset_, work_.p);
  items_.Append(item);
}

}  // namespace

bool ReadSpecialToolGeometry(BinaryReader& in, EntityForm form, GeomItemList& items) {
  EntityReader reader(in, items);
  return form == EntityForm::kShort ? reader.ReadShortForm() : reader.ReadLongForm();
}

double OppositeAngle(float a) {
  double r = static_cast<double>(a) + static_cast<double>(kSinglePi);
  if (!std::isfinite(r)) return r;
  if (std::fabs(r) > kFarOffAngle) r = std::fmod(r, static_cast<double>(kSingleTurn));
  while (r > std::numbers::pi) r -= kSingleTurn;
  while (r < -std::numbers::pi) r += kSingleTurn;
  return r;
}

}  // namespace quarnel::spectool
