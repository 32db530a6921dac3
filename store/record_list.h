// RecordList: the base of every collection of fixed-size records, with 1-based
// positions over one VirStore. LinkedRecordList keeps a logical order.
#pragma once

#include <cstdint>

#include "store/vir_store.h"

namespace quarnel::store {

class RecordList {
 public:
  RecordList(uint32_t record_size, bool linked) : store_(record_size, linked) {}
  virtual ~RecordList() = default;
  RecordList(const RecordList&) = delete;
  RecordList& operator=(const RecordList&) = delete;

  // Adds a copy of `record` at the end; it becomes current. Returns the status.
  StatusCode Append(const void* record) { return store_.Add(record, kAddAtEnd); }
  // Adds a copy of `record` so that it takes position n; it becomes current.
  StatusCode InsertAt(const void* record, int32_t n);
  // Overwrites the current record with `record`. Returns the status.
  StatusCode UpdateCurrent(const void* record) { return store_.Update(record); }
  // Deletes the current record. Returns the status.
  StatusCode DeleteCurrent() { return store_.Delete(); }
  // Makes position n current and deletes it. Returns the status.
  StatusCode DeleteAt(int32_t n);

  // Each read copies a record into `buffer` (record-size bytes) and returns 1,
  // or returns 0 when there is no such record.
  int ReadCurrent(void* buffer) { return FinishRead(buffer, kReadCurrent); }
  int ReadNext(void* buffer) { return FinishRead(buffer, kReadNext); }
  int ReadPrev(void* buffer) { return FinishRead(buffer, kReadPrevious); }
  int ReadAt(void* buffer, int32_t n);
  // As the reads above, but each returns where the record lies (valid until
  // the list next changes) instead of copying it, or nullptr for 0.
  const unsigned char* LocateCurrent() { return FinishLocate(store_.Locate(kReadCurrent)); }
  const unsigned char* LocateNext() { return FinishLocate(store_.Locate(kReadNext)); }
  const unsigned char* LocatePrev() { return FinishLocate(store_.Locate(kReadPrevious)); }
  const unsigned char* LocateAt(int32_t n) {
    return FinishLocate(store_.LocateIndex(IndexOfPosition(n)));
  }

  // Adds a record at the end for the caller to write all of its bytes in
  // place (it becomes current); nullptr when it cannot be added.
  unsigned char* AppendUnfilled() { return store_.AddUnfilledAtEnd(); }
  // Takes back the record AppendUnfilled added last, when filling it failed.
  void RemoveLastAppended() { store_.RemoveLastAdded(); }

  uint32_t Count() const { return store_.count(); }
  // The current position (cursor + 1): -3 when there is no current record.
  int32_t Position() const { return static_cast<int32_t>(store_.cursor() + 1); }
  StatusCode Rewind() { return store_.Rewind(); }
  // Makes position n current without a bound check (n = -3 means none); returns 1.
  uint32_t Seek(int32_t n) { return store_.Seek(IndexOfPosition(n)); }
  void Clear() {
    if (store_.count() > 0) store_.Clear();
  }
  // Clear for a list about to be filled again: its pages are kept for the
  // new records (VirStore::ClearKeepingPages) until ReleaseSparePages.
  void ClearForRefill() {
    if (store_.count() > 0) store_.ClearKeepingPages();
  }
  void ReleaseSparePages() { store_.ReleaseSparePages(); }
  StatusCode Status() const { return store_.status(); }
  uint32_t RecordSize() const { return store_.record_size(); }

  VirStore& store() { return store_; }
  const VirStore& store() const { return store_; }

 private:
  // The store index of 1-based position n, wrapping as the store's unsigned
  // index does (position 0 is the index past every record, -3 the none marker).
  static uint32_t IndexOfPosition(int32_t n) { return static_cast<uint32_t>(n) - 1u; }
  int FinishRead(void* buffer, uint32_t code);
  // Resets the status as after any list read; 1 when the read found its record.
  int FinishStatus();
  const unsigned char* FinishLocate(const unsigned char* record) {
    return FinishStatus() == 1 ? record : nullptr;
  }

  VirStore store_;
};

class LinkedRecordList : public RecordList {
 public:
  explicit LinkedRecordList(uint32_t record_size) : RecordList(record_size, true) {}
};

}  // namespace quarnel::store
