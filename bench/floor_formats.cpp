#include "bench/floor_formats.h"

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace quarnel::bench {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the floors load little-endian fields with plain copies");

// A bare cursor over a buffer: callers check the room before loading.
class Cursor {
 public:
  explicit Cursor(const FileBytes& bytes) : at_(bytes.data.get()), end_(at_ + bytes.size) {}
  bool Has(size_t n) const { return static_cast<size_t>(end_ - at_) >= n; }
  template <typename T>
  T Load() {
    T value;
    std::memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  void Copy(void* to, size_t n) {
    std::memcpy(to, at_, n);
    at_ += n;
  }
  void Skip(size_t n) { at_ += n; }

 private:
  const unsigned char* at_;
  const unsigned char* end_;
};

// The room a version-92 tool record needs once its type code is known.
size_t ToolRecordBytes(int32_t type, bool with_path) {
  size_t bytes = 84;
  if (type == 108) bytes += 24 + (with_path ? 256 : 0);
  return bytes;
}

// With a `path` (256 bytes), a special tool's stored path is read into it.
bool DecodeTool92(Cursor& in, char* path, PlainTool& tool) {
  const bool with_path = path != nullptr;
  if (!in.Has(8)) return false;
  tool.size = in.Load<float>();
  tool.typeCode = in.Load<int32_t>();
  if (!in.Has(ToolRecordBytes(tool.typeCode, with_path) - 8)) return false;
  if (tool.typeCode == 108) in.Copy(tool.specialBlock, 24);
  tool.specialToolIndex = in.Load<int32_t>();
  if (with_path && tool.typeCode == 108) {
    in.Copy(path, 256);
    path[255] = '\0';
  }
  tool.extraIndex = in.Load<int32_t>();
  if (tool.typeCode == 107) {
    tool.dimensions[1] = in.Load<float>();
    tool.dimensions[0] = in.Load<float>();
  } else {
    tool.dimensions[0] = in.Load<float>();
    tool.dimensions[1] = in.Load<float>();
  }
  tool.dimensions[2] = in.Load<float>();
  tool.keyedCount = in.Load<int32_t>();
  for (float& angle : tool.angles) angle = in.Load<float>();
  tool.dieClearanceCount = in.Load<int32_t>();
  for (float& clearance : tool.dieClearances) clearance = in.Load<float>();
  tool.valueA = in.Load<float>();
  tool.valueB = in.Load<float>();
  tool.valueC = in.Load<float>();
  tool.valueD = in.Load<float>();
  return true;
}

bool DecodeExtra92(Cursor& in, PlainExtra& extra) {
  if (!in.Has(6)) return false;
  extra.textLength = in.Load<int16_t>();
  extra.leadingValue = in.Load<int32_t>();
  const auto length = static_cast<size_t>(extra.textLength);
  if (extra.textLength <= 0 || length > 256 || !in.Has(2 * length + 27)) return false;
  in.Copy(extra.firstText, length);
  extra.firstByte = in.Load<uint8_t>();
  extra.secondByte = in.Load<uint8_t>();
  in.Copy(extra.secondText, length);
  extra.firstShort = in.Load<int16_t>();
  extra.secondShort = in.Load<int16_t>();
  extra.blockFirst = in.Load<int32_t>();
  in.Copy(extra.blockWide, 8);
  extra.blockSecond = in.Load<int32_t>();
  extra.blockThird = in.Load<int32_t>();
  extra.entryCount = in.Load<uint8_t>();
  if (extra.entryCount > 20 || !in.Has(7 * size_t{extra.entryCount} + 2)) return false;
  for (int i = 0; i < extra.entryCount; ++i) {
    extra.entryByteA[i] = in.Load<uint8_t>();
    extra.entryValue[i] = in.Load<float>();
    extra.entryByteB[i] = in.Load<uint8_t>();
    extra.entryByteC[i] = in.Load<uint8_t>();
  }
  extra.leadByte = in.Load<uint8_t>();
  extra.trailByte = in.Load<uint8_t>();
  return true;
}

// (memory offset, width) of each station record field, in file order.
struct StationField {
  uint8_t offset;
  uint8_t width;
};
constexpr StationField kStationFields[] = {
    {8, 4},    {12, 4},   {16, 4},   {20, 4},   {24, 4},   {28, 16},  {44, 4},  {48, 24},
    {72, 12},  {84, 1},   {85, 1},   {99, 1},   {101, 4},  {0, 4},    {4, 4},   {113, 4},
    {117, 4},  {121, 4},  {125, 4},  {129, 4},  {133, 16}, {87, 4},   {91, 4},  {95, 4},
    {105, 4},  {109, 4},  {149, 1},  {150, 1},  {151, 1},  {152, 24}, {86, 1},  {100, 1}};

bool DecodeStationTable(Cursor& in, PlainStationTable& table) {
  if (!in.Has(16)) return false;
  for (int32_t& value : table.header) value = in.Load<int32_t>();
  const auto count = in.Load<int32_t>();
  table.stations.resize(static_cast<size_t>(count > 0 ? count : 0));
  table.storedTools.resize(table.stations.size());
  table.storedPaths.resize(table.stations.size());
  for (size_t i = 0; i < table.stations.size(); ++i) {
    if (!in.Has(176)) return false;
    for (const StationField& field : kStationFields) {
      in.Copy(table.stations[i].record + field.offset, field.width);
    }
    if (!DecodeTool92(in, table.storedPaths[i].text, table.storedTools[i])) return false;
  }
  return true;
}

template <typename T>
void Store(unsigned char*& at, T value) {
  std::memcpy(at, &value, sizeof value);
  at += sizeof value;
}

void StoreBytes(unsigned char*& at, const void* bytes, size_t n) {
  std::memcpy(at, bytes, n);
  at += n;
}

}  // namespace

int32_t PlainStation::StationNumber() const {
  int32_t value;
  std::memcpy(&value, record + 8, 4);
  return value;
}

int32_t PlainStation::ToolPosition() const {
  int32_t value;
  std::memcpy(&value, record + 20, 4);
  return value;
}

bool DecodeLibrary92(const FileBytes& bytes, PlainLibrary& library) {
  Cursor in(bytes);
  if (!in.Has(2 + 4 + 160)) return false;
  library.version = in.Load<int16_t>();
  const auto tools = in.Load<int32_t>();
  for (auto& pair : library.types) {
    pair[0] = in.Load<int32_t>();
    pair[1] = in.Load<int32_t>();
  }
  library.tools.resize(static_cast<size_t>(tools > 0 ? tools : 0));
  for (PlainTool& tool : library.tools) {
    if (!DecodeTool92(in, nullptr, tool)) return false;
  }
  if (!in.Has(4)) return false;
  const auto extras = in.Load<int32_t>();
  library.extras.resize(static_cast<size_t>(extras > 0 ? extras : 0));
  for (PlainExtra& extra : library.extras) {
    if (!DecodeExtra92(in, extra)) return false;
  }
  if (!in.Has(4)) return false;
  const auto paths = in.Load<int32_t>();
  library.paths.resize(static_cast<size_t>(paths > 0 ? paths : 0));
  if (!in.Has(library.paths.size() * 256)) return false;
  for (PlainPath& path : library.paths) {
    in.Copy(path.text, 256);
    path.text[255] = '\0';
  }
  return true;
}

bool DecodeLibrary7(const FileBytes& bytes, PlainLibrary& library) {
  Cursor in(bytes);
  if (!in.Has(4 + 36)) return false;
  library.version = in.Load<int16_t>();
  const auto stored = in.Load<int16_t>();
  for (int i = 0; i < 9; ++i) {
    library.types[i][0] = in.Load<int16_t>();
    library.types[i][1] = in.Load<int16_t>();
  }
  if (stored < 2) return true;
  library.tools.resize(static_cast<size_t>(stored - 1));
  if (!in.Has(72 * static_cast<size_t>(stored))) return false;
  in.Skip(72);
  for (PlainTool& tool : library.tools) {
    tool.size = in.Load<float>();
    tool.typeCode = in.Load<int8_t>();
    in.Copy(tool.name, 21);
    tool.name[20] = '\0';
    for (float& dimension : tool.dimensions) dimension = in.Load<float>();
    tool.keyedCount = in.Load<int8_t>();
    for (float& angle : tool.angles) angle = in.Load<float>();
    tool.dieClearanceCount = in.Load<int8_t>();
    for (float& clearance : tool.dieClearances) clearance = in.Load<float>();
  }
  return true;
}

bool DecodeStationFile(const FileBytes& bytes, PlainStationTable& first, PlainStationTable& second) {
  Cursor in(bytes);
  if (!in.Has(1394)) return false;
  in.Skip(1394);
  if (!DecodeStationTable(in, first) || !in.Has(4)) return false;
  in.Skip(4);
  return DecodeStationTable(in, second);
}

bool DecodeSpecialTool92(const FileBytes& bytes, PlainSpecialTool& tool) {
  Cursor in(bytes);
  if (!in.Has(2)) return false;
  in.Skip(2);
  if (!DecodeTool92(in, nullptr, tool.tool) || !in.Has(60 + 4 + 12)) return false;
  tool.side = in.Load<uint8_t>();
  in.Skip(59);
  tool.infoValue = in.Load<float>();
  in.Skip(8);
  const auto count = in.Load<int32_t>();
  tool.entities.resize(static_cast<size_t>(count > 0 ? count : 0));
  for (GeomEntity& entity : tool.entities) {
    if (!in.Has(21)) return false;
    entity.type = in.Load<int8_t>();
    entity.ref = in.Load<int32_t>();
    entity.flags = in.Load<uint32_t>();
    entity.x = in.Load<float>();
    entity.y = in.Load<float>();
    const auto params = in.Load<int32_t>();
    if (params >= 0 && params <= 9) {
      if (!in.Has(4 * static_cast<size_t>(params))) return false;
      for (int32_t i = 0; i < params; ++i) entity.p[i] = in.Load<float>();
    }
    if (!in.Has(12)) return false;
    in.Skip(8);
    const auto words = in.Load<int32_t>();
    if (words >= 0 && words <= 2) {
      if (!in.Has(4 * static_cast<size_t>(words))) return false;
      in.Skip(4 * static_cast<size_t>(words));
    }
    if (!in.Has(4)) return false;
    if (in.Load<int32_t>() > 0) {
      if (!in.Has(256)) return false;
      in.Skip(256);
    }
    if (!in.Has(12)) return false;
    in.Skip(12);
  }
  return true;
}

bool WriteLibrary92(const PlainLibrary& library, const std::string& posix_path) {
  size_t size = 2 + 4 + 160 + 4 + 4;
  for (const PlainTool& tool : library.tools) size += ToolRecordBytes(tool.typeCode, false);
  for (const PlainExtra& extra : library.extras) size += 6 + 2 * 256 + 27 + 7 * size_t{extra.entryCount} + 2;
  size += 4 + 256 * library.paths.size();
  auto buffer = std::make_unique_for_overwrite<unsigned char[]>(size);
  unsigned char* at = buffer.get();
  Store<int16_t>(at, 92);
  Store<int32_t>(at, static_cast<int32_t>(library.tools.size()));
  for (const auto& pair : library.types) {
    Store(at, pair[0]);
    Store(at, pair[1]);
  }
  for (const PlainTool& tool : library.tools) {
    Store(at, tool.size);
    Store(at, tool.typeCode);
    if (tool.typeCode == 108) StoreBytes(at, tool.specialBlock, 24);
    Store(at, tool.specialToolIndex);
    Store(at, tool.extraIndex);
    Store(at, tool.dimensions[tool.typeCode == 107 ? 1 : 0]);
    Store(at, tool.dimensions[tool.typeCode == 107 ? 0 : 1]);
    Store(at, tool.dimensions[2]);
    Store(at, tool.keyedCount);
    for (float angle : tool.angles) Store(at, angle);
    Store(at, tool.dieClearanceCount);
    for (float clearance : tool.dieClearances) Store(at, clearance);
    Store(at, tool.valueA);
    Store(at, tool.valueB);
    Store(at, tool.valueC);
    Store(at, tool.valueD);
  }
  Store<int32_t>(at, static_cast<int32_t>(library.extras.size()));
  for (const PlainExtra& extra : library.extras) {
    Store<int16_t>(at, 256);
    Store(at, extra.leadingValue);
    StoreBytes(at, extra.firstText, 256);
    Store(at, extra.firstByte);
    Store(at, extra.secondByte);
    StoreBytes(at, extra.secondText, 256);
    Store(at, extra.firstShort);
    Store(at, extra.secondShort);
    Store(at, extra.blockFirst);
    StoreBytes(at, extra.blockWide, 8);
    Store(at, extra.blockSecond);
    Store(at, extra.blockThird);
    Store(at, extra.entryCount);
    for (int i = 0; i < extra.entryCount; ++i) {
      Store(at, extra.entryByteA[i]);
      Store(at, extra.entryValue[i]);
      Store(at, extra.entryByteB[i]);
      Store(at, extra.entryByteC[i]);
    }
    Store(at, extra.leadByte);
    Store(at, extra.trailByte);
  }
  Store<int32_t>(at, static_cast<int32_t>(library.paths.size()));
  for (const PlainPath& path : library.paths) StoreBytes(at, path.text, 256);

  const std::string temporary = posix_path + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const auto length = static_cast<size_t>(at - buffer.get());
  const bool written = ::write(fd, buffer.get(), length) == static_cast<ssize_t>(length);
  const bool closed = ::close(fd) == 0;
  return written && closed && std::rename(temporary.c_str(), posix_path.c_str()) == 0;
}

void ExpandGridPlain(const GeomEntity& pattern, const GeomEntity& seed, PlainVector<GeomEntity>& out) {
  const auto rows = static_cast<int64_t>(pattern.p[2]);
  const auto cols = static_cast<int64_t>(pattern.p[3]);
  const double c = std::cos(pattern.p[4]);
  const double s = std::sin(pattern.p[4]);
  GeomEntity copy = seed;
  copy.flags = seed.flags & 0x1CC1u;
  double u = 0.0;
  for (int64_t k = 0; k < rows; ++k, u += pattern.p[0]) {
    double v = 0.0;
    for (int64_t j = 0; j < cols; ++j, v += pattern.p[1]) {
      copy.x = static_cast<float>(pattern.x + (u * c - v * s));
      copy.y = static_cast<float>(pattern.y + (u * s + v * c));
      out.push_back(copy);
    }
  }
}

}  // namespace quarnel::bench
