#include <gtest/gtest.h>

#include <cstdint>

#include "exports/export_status.h"

namespace quarnel::exports {
namespace {

// Every status the library's operations can give, folded by each family into
// the numbers its hosts are told: the numbers are spelt out here, apart from
// the header's names, so that a wrong name and a wrong fold both show.
TEST(ExportStatusTest, EveryStatusFoldsIntoEachFamilysNumbers) {
  struct Row {
    StatusCode status;
    int open;         // a Send or Receive entry point loading a library or station file
    int save;         // ... saving a library
    int32_t special;  // OpenSpecialTool, LoadSpecialTool
    uint8_t drawing;  // ViewSpecialTool
  };
  const Row rows[] = {
      {StatusCode::kOk, 0, 0, 0, 1},
      {StatusCode::kFileMissing, 1, 3, 1, 0},
      {StatusCode::kFileCannotOpen, 2, 3, 2, 0},
      {StatusCode::kFileUnknownVersion, 2, 3, 3, 0},
      {StatusCode::kFileReadFailed, 2, 3, 4, 0},
      {StatusCode::kFileWriteFailed, 2, 3, 2, 0},
      // The store's codes never reach an entry point; were one to, it is a
      // failure like any other.
      {StatusCode::kAllocationFail, 2, 3, 2, 0},
      {StatusCode::kMemoryLockFail, 2, 3, 2, 0},
      {StatusCode::kIndexOutOfRange, 2, 3, 2, 0},
      {StatusCode::kWriteLimit, 2, 3, 2, 0},
      {StatusCode::kSetLinkFail, 2, 3, 2, 0},
      {StatusCode::kExpandedMemoryFail, 2, 3, 2, 0},
      {StatusCode::kReadDeleted, 2, 3, 2, 0},
      {StatusCode::kInvalidReadCode, 2, 3, 2, 0},
      {StatusCode::kEndOfList, 2, 3, 2, 0},
      {StatusCode::kListEmpty, 2, 3, 2, 0},
      {StatusCode::kDeleteDeleted, 2, 3, 2, 0},
      {StatusCode::kNoMatch, 2, 3, 2, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(StatusNumber(row.status));
    EXPECT_EQ(ExchangeResult(ExchangeStep::kOpen, row.status), row.open);
    EXPECT_EQ(ExchangeResult(ExchangeStep::kSave, row.status), row.save);
    EXPECT_EQ(SpecialToolResult(row.status), row.special);
    EXPECT_EQ(DrawingResult(row.status), row.drawing);
  }
  EXPECT_EQ(QUARNEL_LIBRARY_HAS_NO_TOOLS, 5);
}

// The store's codes and the tool library's file codes keep their numbers.
TEST(ExportStatusTest, StatusNumbersAreTheStoredCodes) {
  EXPECT_EQ(StatusNumber(StatusCode::kNoMatch), 12u);
  EXPECT_EQ(StatusNumber(StatusCode::kFileCannotOpen), 764u);
  EXPECT_EQ(StatusNumber(StatusCode::kFileReadFailed), 765u);
  EXPECT_EQ(StatusNumber(StatusCode::kFileWriteFailed), 767u);
  EXPECT_EQ(StatusNumber(StatusCode::kFileUnknownVersion), 768u);
}

}  // namespace
}  // namespace quarnel::exports
