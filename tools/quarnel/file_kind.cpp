#include "file_kind.h"

#include <optional>

#include "cli_error.h"
#include "file_io.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>
#include <algorithm>

namespace quarnel::cli {
namespace {

constexpr int kSpecialTool = 108;
constexpr size_t kStationTablesOffset = 1394;
constexpr size_t kStationRecordBytes = 176;
constexpr size_t kPathBytes = 256;
// Counts above these are taken as a sign that the bytes are something else.
constexpr int32_t kMostTools = 1000000;
constexpr int32_t kMostEntities = 10000000;

bool IsOneOf(int value, std::initializer_list<int> accepted) {
  for (int candidate : accepted) {
    if (value == candidate) return true;
  }
  return false;
}

bool IsCurrentVersion(int v) { return IsOneOf(v, {52, 54, 60, 61, 62, 71, 80, 90, 91, 92}); }

// How a layout fits the bytes; for a truncated fit, how far beyond the end of
// the file the layout's first missing field reaches.
enum class Fit { kNo, kTruncated, kLonger, kExact };
struct Match {
  Fit fit = Fit::kNo;
  size_t overshoot = 0;
};

// A forward walk over the bytes. Reads past the end yield 0 and mark the walk
// as truncated; `Refuse` marks bytes that cannot belong to the layout.
class Walk {
 public:
  explicit Walk(const std::string& bytes, size_t start = 0) : bytes_(bytes), at_(start) {}

  int8_t I8() { return static_cast<int8_t>(Little(1)); }
  int16_t I16() { return static_cast<int16_t>(Little(2)); }
  int32_t I32() { return static_cast<int32_t>(Little(4)); }
  float F32() {
    const uint32_t bits = Little(4);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  void Skip(size_t count) {
    if (count > bytes_.size() - std::min(at_, bytes_.size())) {
      truncated_ = true;
      // A count that cannot be a length in any file ends the walk as refused.
      if (count > (size_t{1} << 40)) refused_ = true;
    }
    at_ += count;
  }
  void Refuse() { refused_ = true; }
  // False once the walk cannot go on (truncated or refused).
  bool Going() const { return !truncated_ && !refused_; }
  size_t At() const { return at_; }

  Match Result() const {
    if (refused_) return {Fit::kNo, 0};
    if (truncated_) return {Fit::kTruncated, at_ - bytes_.size()};
    return {at_ == bytes_.size() ? Fit::kExact : Fit::kLonger, 0};
  }

 private:
  uint32_t Little(int count) {
    uint32_t value = 0;
    if (at_ + count > bytes_.size()) {
      truncated_ = true;
      at_ += count;
      return 0;
    }
    for (int i = 0; i < count; ++i) {
      value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    }
    at_ += count;
    return value;
  }

  const std::string& bytes_;
  size_t at_;
  bool truncated_ = false;
  bool refused_ = false;
};

// A count field: refused when negative or beyond `most`.
int32_t Count(Walk& walk, int32_t most) {
  const int32_t count = walk.I32();
  if (walk.Going() && (count < 0 || count > most)) walk.Refuse();
  return walk.Going() ? count : 0;
}

// The on-disk tool record of version `v`; `withPath` for station files.
void ToolRecord(Walk& walk, int v, bool withPath) {
  const float size = walk.F32();
  const int32_t type = walk.I32();
  if (walk.Going() && (!std::isfinite(size) || std::fabs(size) > 1e6f ||
                       std::fpclassify(size) == FP_SUBNORMAL)) {
    walk.Refuse();
  }
  const bool special = type == kSpecialTool;
  walk.Skip((special && v >= 90 ? 24 : 0) + 4 + (special && withPath ? kPathBytes : 0) + 4 + 12 +
            4 + 16 + 4 + 16 + 4 + 4 + (v >= 60 ? 8 : 0));
}

void ToolExtra(Walk& walk, int v) {
  const int16_t textLength = walk.I16();
  if (walk.Going() && (textLength <= 0 || textLength > 256)) walk.Refuse();
  walk.Skip(4 + textLength + 1 + 1 + textLength + 2 + 2 + 4 + 8 + 4 + 4);
  const int8_t entries = walk.I8();
  if (walk.Going() && (entries < 0 || entries > 20)) walk.Refuse();
  walk.Skip(entries * 7 + (v >= 80 ? 1 : 0) + (v >= 90 ? 1 : 0));
}

Match LibraryFit(const std::string& bytes, int v, std::string& detail) {
  Walk walk(bytes, 2);
  if (v == 1 || v == 6 || v == 7) {
    const int16_t stored = walk.I16();
    walk.Skip(36);
    if (stored > 0) walk.Skip(72 * static_cast<size_t>(stored));
    detail = std::to_string(stored > 1 ? stored - 1 : 0) + " tools";
    return walk.Result();
  }
  const int32_t tools = Count(walk, kMostTools);
  for (int slot = 0; slot < (v == 52 ? 9 : 20) && walk.Going(); ++slot) {
    const int32_t start = v == 52 ? walk.I16() : walk.I32();
    const int32_t count = v == 52 ? walk.I16() : walk.I32();
    const bool toolSlot = slot >= 1 && slot <= 10;
    if (walk.Going() && toolSlot && (start < 0 || start > tools || count < 0 || count > tools)) {
      walk.Refuse();
    }
  }
  for (int32_t i = 0; i < tools && walk.Going(); ++i) ToolRecord(walk, v, false);
  const int32_t extras = Count(walk, kMostTools);
  for (int32_t i = 0; i < extras && walk.Going(); ++i) ToolExtra(walk, v);
  const int32_t paths = Count(walk, kMostTools);
  walk.Skip(static_cast<size_t>(paths) * kPathBytes);
  detail = std::to_string(tools) + (tools == 1 ? " tool" : " tools");
  return walk.Result();
}

// Parameters that a version-7 entry stores for a type, or -1 for an unknown type.
int ShortFormParameters(int type) {
  static const int kCounts[] = {0, 1, 4, 3, 4, 5, 3, 9, 7, 4, 3, 5, 3, 4, 3, 3, 3, 0, 4, 5, 4, 3};
  if (type >= 0 && type <= 21) return kCounts[type];  // "V NOTCH" stores 4 of its 5
  return type == 23 ? 4 : -1;
}

Match SpecialToolFit(const std::string& bytes, int v, std::string& detail) {
  Walk walk(bytes, 2);
  int32_t entities = 0;
  if (v == 7) {
    walk.Skip(72);
    const int16_t extension = walk.I16();
    if (walk.Going() && extension < 6) walk.Refuse();
    walk.Skip(4 + (extension > 6 ? extension - 6 : 0) + 64);
    entities = walk.I16();
    if (walk.Going() && entities < 0) walk.Refuse();
    walk.Skip(4);
    for (int32_t i = 0; i < entities && walk.Going(); ++i) {
      const int parameters = ShortFormParameters(walk.I8());
      if (walk.Going() && parameters < 0) walk.Refuse();
      walk.Skip(8 + 8 + 4 * static_cast<size_t>(parameters > 0 ? parameters : 0));
    }
  } else {
    ToolRecord(walk, v, false);
    walk.Skip(60 + 4 + 8);
    entities = Count(walk, kMostEntities);
    for (int32_t i = 0; i < entities && walk.Going(); ++i) {
      walk.Skip(1 + 4 + 4 + 4 + 4);
      const int32_t parameters = walk.I32();
      if (parameters >= 0 && parameters <= 9) walk.Skip(4 * static_cast<size_t>(parameters));
      walk.Skip(8);
      const int32_t words = walk.I32();
      if (words >= 0 && words <= 2) walk.Skip(4 * static_cast<size_t>(words));
      if (walk.I32() > 0) walk.Skip(kPathBytes);
      walk.Skip(12);
    }
  }
  detail = std::to_string(entities) + (entities == 1 ? " entity" : " entities") + " stored";
  return walk.Result();
}

int32_t StationTable(Walk& walk) {
  walk.Skip(12);
  const int32_t stations = Count(walk, kMostTools);
  for (int32_t i = 0; i < stations && walk.Going(); ++i) {
    walk.Skip(kStationRecordBytes);
    ToolRecord(walk, 92, true);
  }
  return stations;
}

Match StationFit(const std::string& bytes, std::string& detail) {
  if (bytes.size() < kStationTablesOffset) return {};
  Walk walk(bytes, kStationTablesOffset);
  const int32_t first = StationTable(walk);
  walk.Skip(4);
  const int32_t second = StationTable(walk);
  detail = "tables of " + std::to_string(first) + " and " + std::to_string(second) + " stations";
  return walk.Result();
}

}  // namespace

FileIdentity IdentifyFile(const std::string& bytes) {
  struct Candidate {
    FileKind kind;
    int version;
    Match match;
    std::string detail;
  };
  std::vector<Candidate> candidates;
  const int version =
      bytes.size() >= 2 ? static_cast<int16_t>(static_cast<unsigned char>(bytes[0]) |
                                               (static_cast<unsigned char>(bytes[1]) << 8))
                        : 0;
  std::string detail;
  if (bytes.size() >= 2 && (IsOneOf(version, {1, 6, 7}) || IsCurrentVersion(version))) {
    const Match match = LibraryFit(bytes, version, detail);
    candidates.push_back({FileKind::kToolLibrary, version, match, detail});
  }
  if (bytes.size() >= 2 && (version == 7 || IsCurrentVersion(version))) {
    const Match match = SpecialToolFit(bytes, version, detail);
    candidates.push_back({FileKind::kSpecialTool, version, match, detail});
  }
  const Match stationMatch = StationFit(bytes, detail);
  candidates.push_back({FileKind::kStationFile, 92, stationMatch, detail});

  // A layout that fits the file exactly wins; then a station file with bytes
  // to spare (the leading area and what follows the tables belong to the
  // host); then, of the layouts that the file only begins, the one that misses
  // the fewest bytes; last a library or special tool with bytes to spare.
  for (const Candidate& candidate : candidates) {
    if (candidate.match.fit == Fit::kExact) {
      return {candidate.kind, candidate.version, true, candidate.detail};
    }
  }
  if (stationMatch.fit == Fit::kLonger) {
    return {FileKind::kStationFile, 92, true, candidates.back().detail};
  }
  const Candidate* nearest = nullptr;
  for (const Candidate& candidate : candidates) {
    if (candidate.match.fit == Fit::kTruncated &&
        (nearest == nullptr || candidate.match.overshoot < nearest->match.overshoot)) {
      nearest = &candidate;
    }
  }
  if (nearest != nullptr) return {nearest->kind, nearest->version, false, nearest->detail};
  for (const Candidate& candidate : candidates) {
    if (candidate.match.fit == Fit::kLonger) {
      return {candidate.kind, candidate.version, true, candidate.detail};
    }
  }
  return {};
}

void RequireFileKind(const std::string& path, FileKind expected) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return;
  const FileKind found = IdentifyFile(*bytes).kind;
  if (found != FileKind::kUnknown && found != expected) {
    throw FileFailure(path, "this is a " + FileKindName(found) + ", not a " + FileKindName(expected));
  }
}

std::string FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::kToolLibrary: return "tool library";
    case FileKind::kSpecialTool: return "special-tool file";
    case FileKind::kStationFile: return "station file";
    case FileKind::kUnknown: break;
  }
  return "unknown file";
}

}  // namespace quarnel::cli
