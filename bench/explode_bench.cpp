// ExplodeShape per shape family, over batches of shapes at varied places and
// rotations (each rotation differs from the one before, so the rotation
// cache never serves), and rectangles that share one rotation.
#include <cmath>

#include "bench/groups.h"
#include "bench/measure.h"
#include "explode/explode_shape.h"
#include "exports/module_state.h"

namespace quarnel::bench {
namespace {

struct ShapeTemplate {
  int8_t type;
  float p[5];
  uint32_t flags;
};

struct Family {
  std::string name;
  std::vector<ShapeTemplate> shapes;
  bool varied_rotation = true;
};

// The parameter that holds each type's rotation, or -1.
int RotationParam(int8_t type) {
  switch (type) {
    case 3: case 6: case 14: case 15: case 16: case 20: case 21: return 2;
    case 8: return 4;
    default: return -1;
  }
}

std::vector<GeomEntity> BatchOf(const Family& family, int64_t count) {
  std::vector<GeomEntity> batch(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    const ShapeTemplate& shape = family.shapes[static_cast<size_t>(i) % family.shapes.size()];
    GeomEntity& e = batch[static_cast<size_t>(i)];
    e = GeomEntity{};
    e.type = shape.type;
    e.flags = shape.flags;
    e.x = static_cast<float>(i % 1000) * 3.0f;
    e.y = static_cast<float>(i / 1000) * 3.0f;
    for (int k = 0; k < 5; ++k) e.p[k] = shape.p[k];
    const int rotation = RotationParam(shape.type);
    if (rotation >= 0) {
      e.p[rotation] = family.varied_rotation ? static_cast<float>(i % 360) * 0.017453292f : 0.3f;
    }
  }
  return batch;
}

void BenchExplode(benchmark::State& state, const Family& family, int64_t count) {
  const std::vector<GeomEntity> batch = BatchOf(family, count);
  GeomEntity pieces[explode::kMaxPieces];
  GeomEntity* const slots[explode::kMaxPieces] = {&pieces[0], &pieces[1], &pieces[2], &pieces[3],
                                                  &pieces[4], &pieces[5], &pieces[6], &pieces[7]};
  int64_t produced = 0;
  const double total = TimedLoop(state, [&] {
    for (const GeomEntity& shape : batch) {
      int32_t n = 0;
      explode::ExplodeShape(shape, &n, slots, exports::Module().rotations);
      benchmark::DoNotOptimize(pieces);
      produced += n;
    }
  });
  Report(state, "ExplodeShape/" + family.name, count, count, total);
  state.counters["pieces_per_shape"] =
      static_cast<double>(produced) / static_cast<double>(state.iterations() * count);
  state.counters["Mshapes_per_s"] = 1e3 / (total / static_cast<double>(state.iterations() * count));
}

}  // namespace

void RegisterExplodeBenchmarks() {
  const std::vector<Family> families = {
      {"round_hole", {{1, {5.0f}, 0}}},
      {"slots", {{2, {20.0f, 0.2f, 1.0f, 4.0f}, 0}, {2, {20.0f, 0.2f, -1.0f, 4.0f}, 0x0800},
                 {6, {12.0f, 5.0f, 0.0f}, 0}, {6, {12.0f, 5.0f, 0.0f}, 0x0400}}},
      {"rectangles", {{3, {8.0f, 4.0f, 0.0f}, 0}, {14, {8.0f, 4.0f, 0.0f}, 0},
                      {20, {10.0f, 6.0f, 0.0f, 1.0f}, 0}, {20, {10.0f, 6.0f, 0.0f, 1.0f}, 0x0400}}},
      {"notch_d_triangle", {{8, {5.0f, 3.0f, 2.0f, 1.0f, 0.0f}, 0}, {9, {4.0f, 0.5f, 0.0f, 0.0f, 1.2f}, 0},
                            {15, {6.0f, 4.0f, 0.0f}, 0}, {16, {6.0f, 4.0f, 0.0f}, 0},
                            {21, {9.0f, 6.0f, 0.0f}, 0}}},
      {"rectangular_hole", {{3, {8.0f, 4.0f, 0.0f}, 0}}},
      {"rectangular_hole_one_rotation", {{3, {8.0f, 4.0f, 0.0f}, 0}}, false},
  };
  for (const Family& family : families) {
    for (int64_t n : kSizes) {
      Register(Sized("ExplodeShape/" + family.name, n),
               [=](benchmark::State& state) { BenchExplode(state, family, n); });
    }
  }
}

}  // namespace quarnel::bench
