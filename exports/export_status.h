// The entry points' numbers for the library's results: each family folds the
// StatusCode of the operation it ran into the numbers that its hosts know.
#pragma once

#include <cstdint>

#include "platform/status.h"
#include "quarnel/quarnel.h"

namespace quarnel::exports {

// What a Send or Receive entry point was doing when the status came back: a
// library that cannot be loaded and one that cannot be saved are told apart.
enum class ExchangeStep { kOpen, kSave };

// Opening (library, station file): missing file 1, any other failure 2.
// Saving: any failure 3.
constexpr int ExchangeResult(ExchangeStep step, StatusCode status) {
  if (status == StatusCode::kOk) return QUARNEL_EXCHANGE_DONE;
  if (step == ExchangeStep::kSave) return QUARNEL_LIBRARY_NOT_SAVED;
  return status == StatusCode::kFileMissing ? QUARNEL_LIBRARY_FILE_MISSING
                                            : QUARNEL_LIBRARY_NOT_LOADED;
}

// The special-tool reader's status; a result the reader never gives counts as
// a file that cannot be opened, the answer to anything unforeseen.
constexpr int32_t SpecialToolResult(StatusCode status) {
  switch (status) {
    case StatusCode::kOk: return QUARNEL_SPECIAL_TOOL_READ;
    case StatusCode::kFileMissing: return QUARNEL_SPECIAL_TOOL_MISSING;
    case StatusCode::kFileUnknownVersion: return QUARNEL_SPECIAL_TOOL_UNKNOWN_VERSION;
    case StatusCode::kFileReadFailed: return QUARNEL_SPECIAL_TOOL_ENDED_EARLY;
    default: return QUARNEL_SPECIAL_TOOL_CANNOT_OPEN;
  }
}

// ViewSpecialTool's one-byte boolean.
constexpr uint8_t DrawingResult(StatusCode status) {
  return status == StatusCode::kOk ? QUARNEL_DRAWING_WRITTEN : QUARNEL_DRAWING_NOT_WRITTEN;
}

}  // namespace quarnel::exports
