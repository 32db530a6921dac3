// VirStore: paged in-memory storage of fixed-size records with a cursor, an
// optional link table that keeps a logical order apart from where records lie,
// and a sticky status code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/status.h"

namespace quarnel::store {

// Read navigation codes; any other value is an absolute 0-based index.
inline constexpr uint32_t kReadCurrent = 65100;
inline constexpr uint32_t kReadNext = 65101;
inline constexpr uint32_t kReadPrevious = 65102;
// Add position codes; any other value is a 0-based logical position.
inline constexpr uint32_t kAddAtEnd = 65534;
inline constexpr uint32_t kAddAtFront = 65535;

// Bytes in every data page and every link page.
inline constexpr uint32_t kPageBytes = 16316;
// Link entries per link page: 16316 / 4.
inline constexpr uint32_t kLinksPerPage = kPageBytes / 4;
// The cursor value that means "no current record".
inline constexpr uint32_t kNoRecord = static_cast<uint32_t>(-4);

// The buffer that ErrorText writes; the module keeps one, shared by all stores.
struct ErrorTextBuffer {
  char text[64] = {};
};

// The message of a store status code (0 to 12; any other number is unknown),
// copied into `buffer`; valid until the next call with that buffer.
const char* ErrorText(uint32_t status, ErrorTextBuffer& buffer);

class VirStore {
 public:
  // Throws std::invalid_argument unless 1 <= record_size <= kPageBytes.
  VirStore(uint32_t record_size, bool linked);
  ~VirStore();
  VirStore(const VirStore&) = delete;
  VirStore& operator=(const VirStore&) = delete;

  // Adds a copy of `record` at `position` (a code or a logical position); the
  // new record becomes current. Returns the status.
  StatusCode Add(const void* record, uint32_t position);
  // Adds a copy of `record` at the 0-based logical `index` (index = count
  // appends), never taking the index for a code. Returns the status.
  StatusCode AddAtIndex(const void* record, uint32_t index);
  // Adds a record at the end (it becomes current) and returns where it lies,
  // for the caller to write all of its bytes in place; nullptr when it cannot
  // be added (the status says why). Saves loaders a copy per record.
  unsigned char* AddUnfilledAtEnd();
  // Takes back the record AddUnfilledAtEnd added last, when filling it failed;
  // the record before it becomes current.
  void RemoveLastAdded();
  // Copies the record named by `code` into `buffer`. Returns the status.
  StatusCode Read(void* buffer, uint32_t code);
  // Copies the record at the 0-based logical `index`, never taking it for a
  // code; it becomes current. Returns the status.
  StatusCode ReadIndex(void* buffer, uint32_t index);
  // As Read and ReadIndex, but returns where the record lies instead of
  // copying it (valid until the store next changes); nullptr when Read would
  // copy nothing.
  const unsigned char* Locate(uint32_t code);
  const unsigned char* LocateIndex(uint32_t index);
  // Overwrites the current record. Returns the status.
  StatusCode Update(const void* record);
  // Deletes the current record; the physically last record fills its slot.
  StatusCode Delete();
  void Clear();
  // Clear, keeping the data pages as spares that the records added next
  // take before any new page: a list emptied to be filled again then writes
  // into memory it already had instead of fresh memory. Clear leaves the
  // spares; ReleaseSparePages (or destruction) releases those not taken.
  void ClearKeepingPages();
  void ReleaseSparePages();
  StatusCode Rewind();
  // Sets the cursor to a 0-based index without a bound check; returns 1.
  uint32_t Seek(uint32_t index);

  uint32_t count() const { return count_; }
  uint32_t cursor() const { return cursor_; }
  StatusCode status() const { return status_; }
  void set_status(StatusCode status) { status_ = status; }
  uint32_t record_size() const { return record_size_; }
  uint32_t records_per_page() const { return records_per_page_; }
  bool linked() const { return linked_ != 0; }
  bool reordered() const { return reordered_ != 0; }
  // Number of data pages allocated now.
  int32_t data_pages() const { return last_data_page_ + 1; }

 private:
  enum class LinkOp { kInsert, kDelete };
  // Where an add puts its record: at the end, or at a logical index.
  static constexpr int64_t kEnd = -1;

  StatusCode AddRecord(const void* record, int64_t where);
  // The slot the next record takes, on a new page when the last is full;
  // nullptr (status 1) when no page can be had.
  unsigned char* NextSlot();
  // Uncounts the physically last record, releasing its page when it empties.
  void DropLastSlot();
  // Counts the record just placed in NextSlot's slot at `where`.
  StatusCode CommitAdd(int64_t where, uint32_t physical);

  unsigned char* RecordAt(uint32_t physical) const;
  uint32_t PhysicalIndex(uint32_t logical) const;
  const unsigned char* CurrentRecord() const;
  bool AddDataPage();
  void ReleaseDataPages();
  void ReleaseLinkPages();
  // Link entry i, allocating its page on demand; nullptr when allocation fails.
  uint32_t* LinkEntry(uint32_t i);
  StatusCode LinkUpdate(int64_t start, uint32_t physical, LinkOp op);
  // True when the link pages of entries 0..last all exist.
  bool LinkPagesUpTo(uint32_t last) const;
  // Moves entries first..last up by one place (to first + 1..last + 1), or
  // entries first + 1..last down by one place; their pages must exist.
  void ShiftLinksUp(uint32_t first, uint32_t last);
  void ShiftLinksDown(uint32_t first, uint32_t last);
  // The first largest of entries 0..remaining - 1, scanning from `start` to
  // the end and then from 0; null when there are none. Pages must exist.
  uint32_t* LargestLink(uint32_t start, uint32_t remaining);

  int32_t last_link_page_ = -1;
  int32_t reordered_ = 0;
  std::vector<unsigned char*> data_pages_;
  std::vector<unsigned char*> spare_pages_;  // taken from the back
  std::vector<uint32_t*> link_pages_;
  uint32_t record_size_;
  uint32_t records_per_page_;
  uint32_t count_ = 0;
  uint32_t cursor_ = kNoRecord;
  int32_t last_data_page_ = -1;
  StatusCode status_ = StatusCode::kOk;
  uint32_t linked_;
  int32_t fill_ = -1;
};

}  // namespace quarnel::store
