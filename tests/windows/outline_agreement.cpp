// Cross-build agreement of special-tool outlines: the Linux library and the
// Windows DLL explode the same shapes and expand the same patterns, and their
// outlines are compared entity by entity.
//
//   outline_agreement generate FOLDER         writes the special-tool files (Linux)
//   outline_agreement explode FOLDER OUT LIB  outlines of every file through LIB's
//                                             OpenSpecialTool / LoadGeometryAtIndex
//   outline_agreement compare LINUX WINDOWS   compares two outline dumps
//
// The files come from a fixed generator, so every run checks the same shapes:
// 10,000 of every shape kind and 2,500 of every pattern kind, each pattern
// repeating a shape of any kind.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "quarnel/geometry.h"
#include "quarnel/special_tool_info.h"

#if !defined(_WIN32)
#include "tests/support/special_tool_writer.h"
#endif

namespace {

constexpr int kShapeKinds[] = {1, 2, 3, 6, 8, 9, 14, 15, 16, 20, 21};
constexpr int kPatternKinds[] = {10, 11, 12, 13};
constexpr int kShapesPerKind = 10000;
constexpr int kPatternsPerKind = 2500;
constexpr int kShapesPerFile = 1000;
constexpr int kShapeFiles = std::size(kShapeKinds) * kShapesPerKind / kShapesPerFile;
constexpr int kPatternsPerFile = 500;
constexpr int kPatternFiles = std::size(kPatternKinds) * kPatternsPerKind / kPatternsPerFile;
constexpr int kFiles = kShapeFiles + kPatternFiles;

std::string FileName(const std::string& folder, int index) {
  char name[32];
  std::snprintf(name, sizeof name, "\\%04d.spt", index);
  return folder + name;
}

#if !defined(_WIN32)
// xorshift64*: the same numbers on every machine.
class Generator {
 public:
  uint32_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<uint32_t>((state_ * 2685821657736338717ull) >> 32);
  }
  // A multiple of 1/1024 in [low, high): exact in float.
  float Between(float low, float high) {
    return low + static_cast<float>(Next() % static_cast<uint32_t>((high - low) * 1024.0f)) / 1024.0f;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// A shape of `type` with lengths, angles and flag bits drawn at random; the flat
// distance of a D shape stays within its radius.
quarnel::testing::SptEntity RandomShape(Generator& random, int type) {
  quarnel::testing::SptEntity shape;
  shape.type = static_cast<int8_t>(type);
  shape.flags = static_cast<uint32_t>(random.Below(8)) << 10;  // 0x400, 0x800, 0x1000
  shape.x = random.Between(-500, 500);
  shape.y = random.Between(-500, 500);
  for (int i = 0; i < 9; ++i) {
    const int kind = random.Below(4);
    shape.params.push_back(kind < 2 ? random.Between(0.1f, 100) : kind == 2 ? random.Between(-6.3f, 6.3f)
                                                                             : random.Between(-10, 10));
  }
  if (type == 15 || type == 16) {
    shape.params[0] = random.Between(1, 100);
    shape.params[1] = shape.params[0] * random.Between(0, 1);
  }
  return shape;
}

// A pattern of `type` at the end of `entities` repeating the shape before it.
void AppendPattern(Generator& random, int type, std::vector<quarnel::testing::SptEntity>& entities) {
  quarnel::testing::SptEntity seed = RandomShape(random, kShapeKinds[random.Below(std::size(kShapeKinds))]);
  seed.flags |= 0x2;  // a pattern's seed
  entities.push_back(seed);
  quarnel::testing::SptEntity pattern;
  pattern.type = static_cast<int8_t>(type);
  pattern.ref = static_cast<int32_t>(entities.size());
  pattern.flags = 0x1;  // ref in use
  pattern.x = random.Between(-200, 200);
  pattern.y = random.Between(-200, 200);
  const float count = static_cast<float>(2 + random.Below(5));
  switch (type) {
    case 10: pattern.params = {random.Between(-50, 50), random.Between(-50, 50), count}; break;
    case 11:
      pattern.params = {random.Between(1, 60), random.Between(1, 60), static_cast<float>(2 + random.Below(3)),
                        static_cast<float>(2 + random.Below(3)), random.Between(-6.3f, 6.3f)};
      break;
    case 12: pattern.params = {random.Between(1, 150), random.Between(-6.3f, 6.3f), count}; break;
    default:
      pattern.params = {random.Between(1, 150), random.Between(-6.3f, 6.3f), random.Between(-1.5f, 1.5f), count};
      break;
  }
  entities.push_back(pattern);
}

int Generate(const std::string& folder) {
  Generator random;
  for (int file = 0; file < kFiles; ++file) {
    quarnel::testing::SpecialToolFileFields fields;
    if (file < kShapeFiles) {
      const int kind = kShapeKinds[file * kShapesPerFile / kShapesPerKind];
      for (int i = 0; i < kShapesPerFile; ++i) fields.entities.push_back(RandomShape(random, kind));
    } else {
      const int kind = kPatternKinds[(file - kShapeFiles) * kPatternsPerFile / kPatternsPerKind];
      for (int i = 0; i < kPatternsPerFile; ++i) AppendPattern(random, kind, fields.entities);
    }
    std::string path = FileName(folder, file);
    for (char& c : path) c = c == '\\' ? '/' : c;
    std::ofstream(path, std::ios::binary) << quarnel::testing::BuildSpecialToolFile(fields);
  }
  std::printf("outline agreement: %d shapes of each of %zu kinds and %d patterns of each of %zu kinds in %d files\n",
              kShapesPerKind, std::size(kShapeKinds), kPatternsPerKind, std::size(kPatternKinds), kFiles);
  return 0;
}
#endif

using OpenFunction = int32_t (*)(SpecialToolInfo*, int32_t*);
using FetchFunction = int32_t (*)(int32_t, void*);
using CloseFunction = void (*)();

// Every file's outline as the host fetches it: per file its count, then each
// entity's 53 bytes.
int Explode(const std::string& folder, const std::string& out_path, const std::string& library_path) {
#if defined(_WIN32)
  HMODULE library = LoadLibraryA(library_path.c_str());
  auto find = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
#else
  void* library = dlopen(library_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto find = [&](const char* name) { return dlsym(library, name); };
#endif
  if (library == nullptr) {
    std::fprintf(stderr, "cannot load %s\n", library_path.c_str());
    return 2;
  }
  const auto open = reinterpret_cast<OpenFunction>(find("OpenSpecialTool"));
  const auto fetch = reinterpret_cast<FetchFunction>(find("LoadGeometryAtIndex"));
  const auto close = reinterpret_cast<CloseFunction>(find("CloseSpecialTool"));
  std::ofstream out(out_path, std::ios::binary);
  for (int file = 0; file < kFiles; ++file) {
    const std::string path = FileName(folder, file);
    SpecialToolInfo info{};
    info.path = path.c_str();
    int32_t count = 0;
    if (open(&info, &count) != 0) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 2;
    }
    out.write(reinterpret_cast<const char*>(&count), sizeof count);
    for (int32_t i = 0; i < count; ++i) {
      unsigned char record[4 + sizeof(GeomEntity)] = {};
      fetch(i, record);
      out.write(reinterpret_cast<const char*>(record + 4), sizeof(GeomEntity));
    }
    close();
  }
  return out ? 0 : 2;
}

#if !defined(_WIN32)
std::vector<char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// Distance in units in the last place between two floats of the same sign.
int64_t UlpDistance(float a, float b) {
  auto ordered = [](float f) {
    const int32_t bits = std::bit_cast<int32_t>(f);
    return bits < 0 ? int64_t{INT32_MIN} - bits : int64_t{bits};
  };
  return std::llabs(ordered(a) - ordered(b));
}

struct Figures {
  int64_t entities = 0, identical = 0, differing_values = 0, nan_payloads = 0, beyond_bound = 0;
  int64_t max_ulps = 0;
  double max_scaled = 0.0;
};

// Where the C library's sine, cosine, tangent or arc functions of the two
// builds differ in the last bits of a double, a stored value may differ by a
// flipped float rounding on the way: at most 2^-21 of the entity's scale (its
// largest magnitude, at least 1). Both builds' functions are within an ulp or
// two of the exact value, far below what moves a stored float.
constexpr double kBound = 1.0 / (1 << 21);

void CompareEntity(const GeomEntity& a, const GeomEntity& b, Figures& figures) {
  ++figures.entities;
  if (std::memcmp(&a, &b, sizeof a) == 0) {
    ++figures.identical;
    return;
  }
  float va[11], vb[11];
  std::memcpy(va, &a.x, sizeof va);
  std::memcpy(vb, &b.x, sizeof vb);
  double scale = 1.0;
  for (float v : va) scale = std::isfinite(v) ? std::fmax(scale, std::fabs(v)) : scale;
  bool within = a.type == b.type && a.ref == b.ref && a.flags == b.flags;
  for (int i = 0; i < 11; ++i) {
    if (std::bit_cast<uint32_t>(va[i]) == std::bit_cast<uint32_t>(vb[i])) continue;
    if (std::isnan(va[i]) && std::isnan(vb[i])) {
      ++figures.nan_payloads;  // not a number in both: a shape outside its domain
      continue;
    }
    ++figures.differing_values;
    const double scaled = std::fabs(double{va[i]} - double{vb[i]}) / scale;
    figures.max_ulps = std::max(figures.max_ulps, UlpDistance(va[i], vb[i]));
    figures.max_scaled = std::fmax(figures.max_scaled, scaled);
    within = within && scaled <= kBound;
  }
  if (!within) ++figures.beyond_bound;
}

int Compare(const std::string& linux_path, const std::string& windows_path) {
  const std::vector<char> linux_dump = ReadAll(linux_path), windows_dump = ReadAll(windows_path);
  Figures figures;
  size_t at = 0;
  bool same_counts = linux_dump.size() == windows_dump.size();
  while (same_counts && at + 4 <= linux_dump.size()) {
    int32_t count = 0, other = 0;
    std::memcpy(&count, &linux_dump[at], 4);
    std::memcpy(&other, &windows_dump[at], 4);
    at += 4;
    if (count != other || at + count * sizeof(GeomEntity) > linux_dump.size()) {
      same_counts = false;
      break;
    }
    for (int32_t i = 0; i < count; ++i, at += sizeof(GeomEntity)) {
      GeomEntity a, b;
      std::memcpy(&a, &linux_dump[at], sizeof a);
      std::memcpy(&b, &windows_dump[at], sizeof b);
      CompareEntity(a, b, figures);
    }
  }
  if (!same_counts || figures.entities == 0) {
    std::printf("outline agreement: FAILED, the two builds' outlines differ in their entity counts\n");
    return 1;
  }
  std::printf("outline agreement: %lld entities compared, %lld identical bit for bit; %lld values differ "
              "(largest %lld ulp, %.3g of the entity's scale; bound %.3g), %lld entities beyond the bound; "
              "%lld not-a-number values differ only in their payload bits\n",
              static_cast<long long>(figures.entities), static_cast<long long>(figures.identical),
              static_cast<long long>(figures.differing_values), static_cast<long long>(figures.max_ulps),
              figures.max_scaled, kBound, static_cast<long long>(figures.beyond_bound),
              static_cast<long long>(figures.nan_payloads));
  return figures.beyond_bound == 0 ? 0 : 1;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
#if !defined(_WIN32)
  if (mode == "generate" && argc == 3) return Generate(argv[2]);
  if (mode == "compare" && argc == 4) return Compare(argv[2], argv[3]);
#endif
  if (mode == "explode" && argc == 5) return Explode(argv[2], argv[3], argv[4]);
  std::fprintf(stderr, "usage: outline_agreement generate FOLDER | explode FOLDER OUT LIBRARY | compare LINUX WINDOWS\n");
  return 2;
}
