// Test-side helpers for the special-tool exports: special-tool files in the
// scratch drive, the host's info record and the host's entity records with
// sentinel headers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "exports/module_state.h"
#include "partfile/tests/part_drawing_expectation.h"
#include "quarnel/quarnel.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/special_tool_writer.h"

namespace quarnel::exports::testing {

using quarnel::testing::SptEntity;

inline SptEntity Stored(int8_t type, float x, float y, std::vector<float> params,
                        int32_t ref = 0, uint32_t flags = 0) {
  SptEntity e;
  e.type = type;
  e.ref = ref;
  e.flags = flags;
  e.x = x;
  e.y = y;
  e.params = std::move(params);
  return e;
}

// Writes c:\<name>.spt of `version` holding `entities`; returns its Windows path.
inline std::string WriteSpecialTool(const quarnel::testing::ScratchDir& scratch,
                                    const std::string& name, std::vector<SptEntity> entities,
                                    int version = 92) {
  quarnel::testing::SpecialToolFileFields file;
  file.version = version;
  file.tool.size = 12.5f;
  file.legacyTool.size = 12.5f;
  file.infoValue = 3.0f;
  file.entities = std::move(entities);
  quarnel::testing::WriteFileBytes(scratch.DriveC(name + ".spt"),
                                   quarnel::testing::BuildSpecialToolFile(file));
  return "c:\\" + name + ".spt";
}

// The host's entity record: its object header (one pointer wide), then the
// entity. The header is filled with a sentinel the library must never change.
#pragma pack(push, 1)
struct HostRecord {
  unsigned char header[sizeof(void*)];
  GeomEntity entity;

  HostRecord() {
    for (size_t i = 0; i < sizeof header; ++i) header[i] = static_cast<unsigned char>(0xC0 + i);
    std::memset(&entity, 0xEE, sizeof entity);
  }
  // The entity's values, fit for comparisons.
  partfile::testing::EntityValues values() const { return partfile::testing::ValuesOf(entity); }
  bool HeaderIntact() const {
    for (size_t i = 0; i < sizeof header; ++i) {
      if (header[i] != static_cast<unsigned char>(0xC0 + i)) return false;
    }
    return true;
  }
  bool EntityUntouched() const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&entity);
    for (size_t i = 0; i < sizeof entity; ++i) {
      if (bytes[i] != 0xEE) return false;
    }
    return true;
  }
};
#pragma pack(pop)
static_assert(sizeof(HostRecord) == sizeof(void*) + 53, "host record layout");

// A host special-tool object naming `path` (kept alive by the fixture).
inline SpecialToolInfo InfoFor(const std::string& path) {
  SpecialToolInfo info{};
  info.path = path.c_str();
  return info;
}

// Every test starts and ends with the state the library has at load.
class SpecialToolExportsFixture : public ::testing::Test {
 protected:
  SpecialToolExportsFixture() { ResetModuleState(); }
  ~SpecialToolExportsFixture() override { ResetModuleState(); }

  quarnel::testing::ScratchDir scratch_;
};

}  // namespace quarnel::exports::testing
