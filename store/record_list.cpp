#include "store/record_list.h"

namespace quarnel::store {

StatusCode RecordList::InsertAt(const void* record, int32_t n) {
  if (n == 1) return store_.Add(record, kAddAtFront);
  if (n < 1) {
    store_.set_status(StatusCode::kIndexOutOfRange);
    return store_.status();
  }
  return store_.AddAtIndex(record, static_cast<uint32_t>(n - 1));
}

StatusCode RecordList::DeleteAt(int32_t n) {
  store_.Seek(IndexOfPosition(n));
  return store_.Delete();
}

int RecordList::ReadAt(void* buffer, int32_t n) {
  if (buffer == nullptr) return 0;
  // Position 0 or below is an index past every record: nothing is copied, the
  // cursor stays, and the status is reset as after any list read.
  store_.ReadIndex(buffer, IndexOfPosition(n));
  return FinishStatus();
}

int RecordList::FinishRead(void* buffer, uint32_t code) {
  if (buffer == nullptr) return 0;
  store_.Read(buffer, code);
  return FinishStatus();
}

int RecordList::FinishStatus() {
  const StatusCode status = store_.status();
  if (status != StatusCode::kExpandedMemoryFail) store_.set_status(StatusCode::kOk);
  return status == StatusCode::kOk ? 1 : 0;
}

}  // namespace quarnel::store
