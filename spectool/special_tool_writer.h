// Writer of special-tool files (".spt") of the current version: the
// counterpart of the reader. What it writes, the reader reads back to the same
// tool data and the same entities, bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/binary_writer.h"
#include "quarnel/geometry.h"
#include "spectool/special_tool_format.h"
#include "toollib/tool_record.h"

namespace quarnel::spectool {

struct SpecialToolContent {
  // The tool data. The type is written as a special tool (108); its special
  // flags and z follow `side` (z is 1 for side 1, 2 for side 2, else 0), as
  // the reader derives the side from both.
  toollib::ToolRecord tool;
  uint8_t side = kNoSide;
  float infoValue = 0.0f;
  std::span<const GeomEntity> entities;
};

// Why the reader could not deliver `entity` exactly as given, or nothing when
// it can: a group (the reader keeps none), the group-member flag (the reader
// clears it), a negative zero or signalling coordinate (the reader's group
// move adds zero to it), a V-notch angle the reader replaces, a single-D
// rotation no stored angle turns into.
std::optional<std::string> UnstorableReason(const GeomEntity& entity);

enum class SpecialToolWriteStatus { kWritten, kUnstorableEntity, kCannotOpen, kWriteFailed };

struct SpecialToolWriteResult {
  SpecialToolWriteStatus status = SpecialToolWriteStatus::kWritten;
  size_t entityIndex = 0;  // kUnstorableEntity: the first such entity (0-based)
  std::string reason;      // kUnstorableEntity: UnstorableReason of it
};

// Writes the whole file to `out`. Entities are expected to be storable
// (UnstorableReason); false when a write failed.
bool EncodeSpecialTool(platform::BinaryWriter& out, const SpecialToolContent& content);

// Checks every entity, then writes the file at `path` (a path as the library
// takes it) through a temporary file that replaces `path` only once complete:
// `path` never holds a partial file.
SpecialToolWriteResult WriteSpecialTool(const std::string& path, const SpecialToolContent& content);

}  // namespace quarnel::spectool
