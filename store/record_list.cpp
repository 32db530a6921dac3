#include "store/record_list.h"

namespace quarnel::store {

uint32_t RecordList::InsertAt(const void* record, int32_t n) {
  if (n == 1) return store_.Add(record, kAddAtFront);
  if (n < 1) {
    store_.set_status(kStatusIndexOutOfRange);
    return store_.status();
  }
  return store_.AddAtIndex(record, static_cast<uint32_t>(n - 1));
}

uint32_t RecordList::DeleteAt(int32_t n) {
  store_.Seek(static_cast<uint32_t>(n - 1));
  return store_.Delete();
}

int RecordList::ReadAt(void* buffer, int32_t n) {
  if (buffer == nullptr) return 0;
  if (n < 1) {
    // Position 0 or below names no record; the store keeps its cursor.
    return 0;
  }
  const uint32_t status = store_.ReadIndex(buffer, static_cast<uint32_t>(n - 1));
  const int copied = status == kStatusOk ? 1 : 0;
  if (status != kStatusExpandedMemoryFail) store_.set_status(kStatusOk);
  return copied;
}

int RecordList::FinishRead(void* buffer, uint32_t code) {
  if (buffer == nullptr) return 0;
  const uint32_t status = store_.Read(buffer, code);
  const int copied = status == kStatusOk ? 1 : 0;
  if (status != kStatusExpandedMemoryFail) store_.set_status(kStatusOk);
  return copied;
}

}  // namespace quarnel::store
