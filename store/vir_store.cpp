#include "store/vir_store.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace quarnel::store {
namespace {

// How far ahead of the record being filled in place its successors' memory is
// fetched, a whole record's lines at a time (measured on the loaders: 2 to
// 4 KiB ahead spare about a tenth of Load and Receive at 100,000 tools, whose
// records no longer fit the cache).
constexpr size_t kFillAheadBytes = 2048;
constexpr size_t kCacheLineBytes = 64;

}  // namespace

const char* ErrorText(uint32_t status, ErrorTextBuffer& buffer) {
  static const char* const kTexts[] = {
      "VirStore Err. : NO ERROR.",
      "VirStore Err. : Allocation fail.",
      "VirStore Err. : Memory Lock fail.",
      "VirStore Err. : Index out of range.",
      "VirStore Err. : Write limitation reached.",
      "VirStore Err. : Set link fail.",
      "VirStore Err. : Expanded memory initialization fail.",
      "VirStore Err. : Attempt to read deleted item.",
      "VirStore Err. : Invalid read code.",
      "VirStore Err. : End of list encountered.",
      "VirStore Err. : List is empty.",
      "VirStore Err. : Delete a deleted node.",
      "VirStore Err. : No match found.",
  };
  const char* text = status < sizeof kTexts / sizeof kTexts[0]
                         ? kTexts[status]
                         : "VirStore Err. : Unknown error code.";
  std::strncpy(buffer.text, text, sizeof buffer.text - 1);
  buffer.text[sizeof buffer.text - 1] = '\0';
  return buffer.text;
}

VirStore::VirStore(uint32_t record_size, bool linked)
    : record_size_(record_size), records_per_page_(0), linked_(linked ? 1 : 0) {
  if (record_size < 1 || record_size > kPageBytes) {
    throw std::invalid_argument("record size must be 1.." + std::to_string(kPageBytes) +
                                " bytes, not " + std::to_string(record_size));
  }
  records_per_page_ = kPageBytes / record_size;
  if (linked_ && LinkEntry(0) != nullptr) last_link_page_ = 0;
}

VirStore::~VirStore() {
  ReleaseDataPages();
  ReleaseLinkPages();
  ReleaseSparePages();
}

unsigned char* VirStore::RecordAt(uint32_t physical) const {
  return data_pages_[physical / records_per_page_] +
         static_cast<size_t>(physical % records_per_page_) * record_size_;
}

uint32_t VirStore::PhysicalIndex(uint32_t logical) const {
  if (!linked_ || !reordered_) return logical;
  const uint32_t page = logical / kLinksPerPage;
  if (page >= link_pages_.size() || link_pages_[page] == nullptr) return logical;
  return link_pages_[page][logical % kLinksPerPage];
}

const unsigned char* VirStore::CurrentRecord() const { return RecordAt(PhysicalIndex(cursor_)); }

bool VirStore::AddDataPage() {
  unsigned char* page = nullptr;
  if (!spare_pages_.empty()) {
    page = spare_pages_.back();
    spare_pages_.pop_back();
  } else {
    page = new (std::nothrow) unsigned char[kPageBytes];
  }
  if (page == nullptr) return false;
  try {
    data_pages_.push_back(page);
  } catch (const std::bad_alloc&) {
    delete[] page;
    return false;
  }
  ++last_data_page_;
  return true;
}

void VirStore::ReleaseDataPages() {
  for (unsigned char* page : data_pages_) delete[] page;
  data_pages_.clear();
}

void VirStore::ReleaseSparePages() {
  for (unsigned char* page : spare_pages_) delete[] page;
  spare_pages_.clear();
  spare_pages_.shrink_to_fit();
}

void VirStore::ClearKeepingPages() {
  try {
    // In reverse, so that the first page is taken first.
    spare_pages_.insert(spare_pages_.end(), data_pages_.rbegin(), data_pages_.rend());
    data_pages_.clear();
  } catch (const std::bad_alloc&) {
    // No room to keep them: they are released as Clear always does.
  }
  Clear();
}

void VirStore::ReleaseLinkPages() {
  for (uint32_t* page : link_pages_) delete[] page;
  link_pages_.clear();
}

uint32_t* VirStore::LinkEntry(uint32_t i) {
  const uint32_t page = i / kLinksPerPage;
  if (page >= link_pages_.size()) {
    try {
      link_pages_.resize(page + 1, nullptr);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  if (link_pages_[page] == nullptr) {
    link_pages_[page] = new (std::nothrow) uint32_t[kLinksPerPage];
    if (link_pages_[page] == nullptr) return nullptr;
    if (static_cast<int32_t>(page) > last_link_page_) last_link_page_ = static_cast<int32_t>(page);
  }
  return &link_pages_[page][i % kLinksPerPage];
}

bool VirStore::LinkPagesUpTo(uint32_t last) const {
  const size_t pages = last / kLinksPerPage + 1;
  if (link_pages_.size() < pages) return false;
  for (size_t page = 0; page < pages; ++page) {
    if (link_pages_[page] == nullptr) return false;
  }
  return true;
}

void VirStore::ShiftLinksUp(uint32_t first, uint32_t last) {
  // Destinations first + 1 .. last + 1, page by page from the top.
  const uint32_t lowest = first + 1;
  uint32_t hi = last + 1;
  while (true) {
    const uint32_t base = hi / kLinksPerPage * kLinksPerPage;
    const uint32_t lo = base > lowest ? base : lowest;
    uint32_t* entries = link_pages_[hi / kLinksPerPage];
    if (lo > base) {
      std::memmove(entries + (lo - base), entries + (lo - 1 - base), (hi - lo + 1) * sizeof(uint32_t));
    } else {
      // The page's first entry comes from the end of the page before it.
      std::memmove(entries + 1, entries, (hi - base) * sizeof(uint32_t));
      entries[0] = link_pages_[hi / kLinksPerPage - 1][kLinksPerPage - 1];
    }
    if (lo == lowest) return;
    hi = lo - 1;
  }
}

void VirStore::ShiftLinksDown(uint32_t first, uint32_t last) {
  // Destinations first .. last - 1, page by page from the bottom.
  const uint32_t highest = last - 1;
  uint32_t lo = first;
  while (true) {
    const uint32_t base = lo / kLinksPerPage * kLinksPerPage;
    const uint32_t top = base + kLinksPerPage - 1;
    const uint32_t hi = top < highest ? top : highest;
    uint32_t* entries = link_pages_[lo / kLinksPerPage];
    if (hi < top) {
      std::memmove(entries + (lo - base), entries + (lo + 1 - base), (hi - lo + 1) * sizeof(uint32_t));
    } else {
      // The page's last entry comes from the start of the page after it.
      std::memmove(entries + (lo - base), entries + (lo + 1 - base), (hi - lo) * sizeof(uint32_t));
      entries[kLinksPerPage - 1] = link_pages_[lo / kLinksPerPage + 1][0];
    }
    if (hi == highest) return;
    lo = hi + 1;
  }
}

uint32_t* VirStore::LargestLink(uint32_t start, uint32_t remaining) {
  uint32_t* largest = nullptr;
  // Entries from..to - 1, page by page; the first of equal values wins.
  const auto scan = [&](uint32_t from, uint32_t to) {
    while (from < to) {
      const uint32_t base = from / kLinksPerPage * kLinksPerPage;
      const uint32_t end = to < base + kLinksPerPage ? to : base + kLinksPerPage;
      uint32_t* entries = link_pages_[from / kLinksPerPage];
      for (uint32_t i = from; i < end; ++i) {
        if (largest == nullptr || entries[i - base] > *largest) largest = &entries[i - base];
      }
      from = end;
    }
  };
  if (start < remaining) {
    scan(start, remaining);
    scan(0, start);
  } else {
    scan(0, remaining);
  }
  return largest;
}

// `start` is kEnd (appends only) or the logical index the insert or delete is at.
StatusCode VirStore::LinkUpdate(int64_t start, uint32_t physical, LinkOp op) {
  const uint32_t n = count_;  // for a delete the caller has not yet lowered the count
  // An append whose link page exists writes its entry directly.
  if (start == kEnd && !link_pages_.empty() && link_pages_[0] != nullptr) {
    const uint32_t page = (n - 1) / kLinksPerPage;
    if (page < link_pages_.size() && link_pages_[page] != nullptr) {
      link_pages_[page][(n - 1) % kLinksPerPage] = physical;
      return status_ = StatusCode::kOk;
    }
  }
  if (LinkEntry(0) == nullptr) {
    status_ = StatusCode::kAllocationFail;
    return status_;
  }
  if (start == kEnd) {
    uint32_t* entry = LinkEntry(n - 1);
    if (entry == nullptr) return status_ = StatusCode::kAllocationFail;
    *entry = physical;
    return status_ = StatusCode::kOk;
  }
  reordered_ = 1;
  const auto s = static_cast<uint32_t>(start);
  // With every link page in place nothing is allocated: entries move page by page.
  const bool pages_in_place = LinkPagesUpTo(n - 1);
  if (op == LinkOp::kInsert) {
    if (pages_in_place) {
      if (s + 1 < n) ShiftLinksUp(s, n - 2);
      *LinkEntry(s) = physical;
      return status_ = StatusCode::kOk;
    }
    for (uint32_t i = n - 1; i > s; --i) {
      uint32_t* to = LinkEntry(i);
      uint32_t* from = LinkEntry(i - 1);
      if (to == nullptr || from == nullptr) return status_ = StatusCode::kAllocationFail;
      *to = *from;
    }
    uint32_t* entry = LinkEntry(s);
    if (entry == nullptr) return status_ = StatusCode::kAllocationFail;
    *entry = physical;
    return status_ = StatusCode::kOk;
  }
  if (pages_in_place) {
    if (s + 1 < n) ShiftLinksDown(s, n - 1);
    uint32_t* largest = LargestLink(s, n - 1);
    if (largest != nullptr && physical < *largest) *largest = physical;
    return status_ = StatusCode::kOk;
  }
  for (uint32_t i = s; i + 1 < n; ++i) {
    uint32_t* to = LinkEntry(i);
    uint32_t* from = LinkEntry(i + 1);
    if (to == nullptr || from == nullptr) return status_ = StatusCode::kAllocationFail;
    *to = *from;
  }
  // The physically last record now lies at slot `physical`: redirect the entry
  // that named it, which holds the largest value left.
  const uint32_t remaining = n - 1;
  uint32_t* largest = nullptr;
  for (uint32_t k = 0; k < remaining; ++k) {
    const uint32_t i = (s + k) % remaining;
    uint32_t* entry = LinkEntry(i);
    if (entry == nullptr) return status_ = StatusCode::kAllocationFail;
    if (largest == nullptr || *entry > *largest) largest = entry;
  }
  if (largest != nullptr && physical < *largest) *largest = physical;
  return status_ = StatusCode::kOk;
}

StatusCode VirStore::Add(const void* record, uint32_t position) {
  if (position == 0 || position == kAddAtFront) return AddRecord(record, 0);
  if (position == count_ || position == kAddAtEnd) return AddRecord(record, kEnd);
  return AddRecord(record, position);
}

StatusCode VirStore::AddAtIndex(const void* record, uint32_t index) {
  return AddRecord(record, index == count_ ? kEnd : static_cast<int64_t>(index));
}

StatusCode VirStore::AddRecord(const void* record, int64_t where) {
  if (status_ == StatusCode::kEndOfList) status_ = StatusCode::kOk;
  if (record == nullptr) return status_;
  // A position past the end has no place in the logical order.
  if (linked_ && where != kEnd && where > count_) return status_ = StatusCode::kIndexOutOfRange;
  unsigned char* slot = NextSlot();
  if (slot == nullptr) return status_;
  std::memcpy(slot, record, record_size_);
  return CommitAdd(where, count_);
}

unsigned char* VirStore::AddUnfilledAtEnd() {
  if (status_ == StatusCode::kEndOfList) status_ = StatusCode::kOk;
  unsigned char* slot = NextSlot();
  if (slot == nullptr) return nullptr;
  // Loaders fill long runs of records in order: asking for the memory a few
  // records ahead, every line of a record's size, spares the stores of each
  // record waiting for their cache lines (within the page; the next page is
  // not allocated yet).
  const auto offset = static_cast<size_t>(slot - data_pages_.back());
  const size_t ahead_end = std::min<size_t>(offset + kFillAheadBytes + record_size_, kPageBytes);
  for (size_t line = offset + kFillAheadBytes; line < ahead_end; line += kCacheLineBytes) {
    __builtin_prefetch(data_pages_.back() + line, 1);
  }
  if (CommitAdd(kEnd, count_) == StatusCode::kOk) return slot;
  // Without its link entry the record cannot stay: nothing unfilled is left
  // in the list, and the status still says why.
  DropLastSlot();
  cursor_ = count_ == 0 ? kNoRecord : count_ - 1;
  return nullptr;
}

void VirStore::RemoveLastAdded() {
  if (count_ == 0) return;
  if (count_ == 1) {
    Clear();
    return;
  }
  // Appended at the end, the record is last both physically and in the
  // logical order: its link entry simply falls out of use.
  DropLastSlot();
  cursor_ = count_ - 1;
}

void VirStore::DropLastSlot() {
  --count_;
  --fill_;
  if (fill_ == 0) {
    delete[] data_pages_.back();
    data_pages_.pop_back();
    --last_data_page_;
    fill_ = static_cast<int32_t>(records_per_page_);
  }
}

unsigned char* VirStore::NextSlot() {
  if (fill_ == -1 || fill_ >= static_cast<int32_t>(records_per_page_)) {
    if (!AddDataPage()) {
      status_ = StatusCode::kAllocationFail;
      return nullptr;
    }
    fill_ = 0;
  }
  // RecordAt(count_) without its division.
  return data_pages_.back() + static_cast<size_t>(fill_) * record_size_;
}

StatusCode VirStore::CommitAdd(int64_t where, uint32_t physical) {
  ++fill_;
  ++count_;
  cursor_ = count_ - 1;
  if (status_ == StatusCode::kListEmpty) status_ = StatusCode::kOk;
  if (!linked_) return status_;
  return LinkUpdate(where, physical, LinkOp::kInsert);
}

StatusCode VirStore::Read(void* buffer, uint32_t code) {
  if (const unsigned char* record = Locate(code)) std::memcpy(buffer, record, record_size_);
  return status_;
}

StatusCode VirStore::ReadIndex(void* buffer, uint32_t index) {
  if (const unsigned char* record = LocateIndex(index)) std::memcpy(buffer, record, record_size_);
  return status_;
}

const unsigned char* VirStore::Locate(uint32_t code) {
  if (count_ == 0) {
    status_ = StatusCode::kListEmpty;
    return nullptr;
  }
  StatusCode failed = StatusCode::kOk;
  switch (code) {
    case kReadCurrent:
      if (cursor_ == kNoRecord) {
        failed = StatusCode::kEndOfList;
      } else if (cursor_ >= count_) {
        failed = StatusCode::kIndexOutOfRange;
      }
      break;
    case kReadNext:
      if (cursor_ == kNoRecord) {
        cursor_ = 0;
      } else if (cursor_ == count_ - 1) {
        failed = StatusCode::kEndOfList;
      } else if (cursor_ + 1 >= count_) {
        failed = StatusCode::kIndexOutOfRange;
      } else {
        ++cursor_;
      }
      break;
    case kReadPrevious:
      if (cursor_ == 0) {
        failed = StatusCode::kInvalidReadCode;
      } else if (cursor_ == kNoRecord) {
        cursor_ = count_ - 1;
      } else if (cursor_ - 1 >= count_) {
        failed = StatusCode::kIndexOutOfRange;
      } else {
        --cursor_;
      }
      break;
    default:
      return LocateIndex(code);
  }
  if (failed != StatusCode::kOk) {
    status_ = failed;
    return nullptr;
  }
  return CurrentRecord();
}

const unsigned char* VirStore::LocateIndex(uint32_t index) {
  if (count_ == 0) {
    status_ = StatusCode::kListEmpty;
    return nullptr;
  }
  if (index >= count_) {
    status_ = StatusCode::kIndexOutOfRange;
    return nullptr;
  }
  cursor_ = index;
  return CurrentRecord();
}

StatusCode VirStore::Update(const void* record) {
  if (record == nullptr) return status_;
  if (cursor_ == kNoRecord || cursor_ >= count_) return status_ = StatusCode::kIndexOutOfRange;
  std::memcpy(RecordAt(PhysicalIndex(cursor_)), record, record_size_);
  return status_;
}

StatusCode VirStore::Delete() {
  if (count_ == 0) return status_ = StatusCode::kListEmpty;
  if (count_ == 1) {
    Clear();
    return status_;
  }
  if (cursor_ == kNoRecord) return status_;
  if (cursor_ >= count_) return status_ = StatusCode::kIndexOutOfRange;
  const uint32_t hole = PhysicalIndex(cursor_);
  const uint32_t last = count_ - 1;
  if (hole != last) std::memmove(RecordAt(hole), RecordAt(last), record_size_);
  if (linked_) LinkUpdate(cursor_, hole, LinkOp::kDelete);
  DropLastSlot();
  cursor_ = cursor_ == 0 ? kNoRecord : cursor_ - 1;
  return status_;
}

void VirStore::Clear() {
  ReleaseDataPages();
  ReleaseLinkPages();
  last_link_page_ = -1;
  reordered_ = 0;
  fill_ = -1;
  last_data_page_ = -1;
  cursor_ = kNoRecord;
  count_ = 0;
  status_ = StatusCode::kOk;
}

StatusCode VirStore::Rewind() {
  cursor_ = kNoRecord;
  if (count_ == 0) Clear();
  if (status_ == StatusCode::kEndOfList) status_ = StatusCode::kOk;
  return status_;
}

uint32_t VirStore::Seek(uint32_t index) {
  cursor_ = index;
  if (status_ == StatusCode::kEndOfList) status_ = StatusCode::kOk;
  return 1;
}

}  // namespace quarnel::store
