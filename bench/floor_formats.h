// The floors: each file format read from a whole-file buffer with a bare loop
// of little-endian loads into plain structs (and, for Save, written from them
// with little-endian stores into one buffer written with one system call).
// Nothing here calls the library's readers or writers.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_files.h"
#include "quarnel/geometry.h"

namespace quarnel::bench {

// Leaves new elements uninitialised, as a bare decoder's storage would be.
template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };
  DefaultInitAllocator() = default;
  template <typename U>
  DefaultInitAllocator(const DefaultInitAllocator<U>&) {}
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    if constexpr (sizeof...(Args) == 0) {
      ::new (static_cast<void*>(at)) U;
    } else {
      ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
  }
};

template <typename T>
using PlainVector = std::vector<T, DefaultInitAllocator<T>>;

struct PlainTool {
  float size;
  int32_t typeCode;
  unsigned char specialBlock[24];
  int32_t specialToolIndex;
  char name[21];  // legacy records only
  int32_t extraIndex;
  float dimensions[3];
  int32_t keyedCount;
  float angles[4];
  int32_t dieClearanceCount;
  float dieClearances[4];
  float valueA, valueB, valueC, valueD;
};

struct PlainExtra {
  int16_t textLength;
  int32_t leadingValue;
  char firstText[256];
  uint8_t firstByte, secondByte;
  char secondText[256];
  int16_t firstShort, secondShort;
  int32_t blockFirst;
  unsigned char blockWide[8];
  int32_t blockSecond, blockThird;
  uint8_t entryCount;
  uint8_t entryByteA[20];
  float entryValue[20];
  uint8_t entryByteB[20], entryByteC[20];
  uint8_t leadByte, trailByte;
};

struct PlainPath {
  char text[256];
};

struct PlainLibrary {
  int16_t version = 0;
  int32_t types[20][2] = {};
  PlainVector<PlainTool> tools;
  PlainVector<PlainExtra> extras;
  PlainVector<PlainPath> paths;
};

struct PlainStation {
  unsigned char record[176];  // in memory order
  int32_t StationNumber() const;
  int32_t ToolPosition() const;
};

struct PlainStationTable {
  int32_t header[3] = {};
  PlainVector<PlainStation> stations;
  PlainVector<PlainTool> storedTools;
  PlainVector<PlainPath> storedPaths;  // of the special tools among them
};

struct PlainSpecialTool {
  PlainTool tool;
  uint8_t side = 0;
  float infoValue = 0;
  PlainVector<GeomEntity> entities;
};

// Decoders; each returns false when the bytes end early.
bool DecodeLibrary92(const FileBytes& bytes, PlainLibrary& library);
bool DecodeLibrary7(const FileBytes& bytes, PlainLibrary& library);
bool DecodeStationFile(const FileBytes& bytes, PlainStationTable& first, PlainStationTable& second);
bool DecodeSpecialTool92(const FileBytes& bytes, PlainSpecialTool& tool);

// The version-92 library file of `library`, written to `posix_path` through
// a temporary file that then replaces it (as a safe save does).
bool WriteLibrary92(const PlainLibrary& library, const std::string& posix_path);

// The entities a grid pattern places (rows outer, columns inner).
void ExpandGridPlain(const GeomEntity& pattern, const GeomEntity& seed, PlainVector<GeomEntity>& out);

}  // namespace quarnel::bench
