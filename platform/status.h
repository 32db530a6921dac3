// The library's one vocabulary of results. Internal operations that can fail
// (the record store, loading and saving a tool library, reading a special-tool
// or station file, writing a file safely, writing a part drawing) return a
// StatusCode; the entry points fold it into their own numbers for the host.
// The store's codes and the tool library file codes keep their numbers.
#pragma once

#include <cstdint>

namespace quarnel {

enum class StatusCode : uint32_t {
  kOk = 0,

  // The record store's codes; store::ErrorText gives their texts.
  kAllocationFail = 1,
  kMemoryLockFail = 2,
  kIndexOutOfRange = 3,
  kWriteLimit = 4,
  kSetLinkFail = 5,
  kExpandedMemoryFail = 6,
  kReadDeleted = 7,
  kInvalidReadCode = 8,
  kEndOfList = 9,
  kListEmpty = 10,
  kDeleteDeleted = 11,
  kNoMatch = 12,

  // The file codes of the tool library's load and save, used by every file.
  kFileCannotOpen = 764,    // the file is there but cannot be opened or created
  kFileReadFailed = 765,    // a read came up short: the file ended early
  kFileWriteFailed = 767,   // a write did not complete
  kFileUnknownVersion = 768,
  // No file of that name at all (a number of its own, next to the file codes).
  kFileMissing = 769,
};

// The number a status stands for (the store's 0..12, the file codes 764..769).
constexpr uint32_t StatusNumber(StatusCode status) { return static_cast<uint32_t>(status); }

}  // namespace quarnel
