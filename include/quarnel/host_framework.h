// The host application framework's classes that cross the library boundary:
// CObject, CString and CObList, with the operations that host code uses, so that
// host code written against the framework compiles unchanged against them.
// Everything is inline: a host needs no library of ours to use these types.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class CArchive;

// Run-time class information of a framework object.
struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  unsigned int m_wSchema;
};

// The framework's root class: a run-time class query, a virtual destructor
// and a serialisation hook, in that virtual slot order.
class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const {
    static CRuntimeClass object_class = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF};
    return &object_class;
  }
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& /*archive*/) {}

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// A text owned by value: one pointer to a NUL-terminated copy.
class CString {
 public:
  CString() : data_(Copy("", 0)) {}
  CString(const char* text) : data_(Copy(text, text != nullptr ? std::strlen(text) : 0)) {}
  CString(const CString& other) : data_(Copy(other.data_, other.GetLength())) {}
  CString& operator=(const CString& other) {
    if (this != &other) {
      char* copy = Copy(other.data_, other.GetLength());
      delete[] data_;
      data_ = copy;
    }
    return *this;
  }
  CString& operator=(const char* text) { return *this = CString(text); }
  ~CString() { delete[] data_; }

  int GetLength() const { return static_cast<int>(std::strlen(data_)); }
  bool IsEmpty() const { return data_[0] == '\0'; }
  const char* GetString() const { return data_; }
  operator const char*() const { return data_; }
  char GetAt(int index) const { return data_[index]; }
  bool operator==(const char* text) const { return text != nullptr && std::strcmp(data_, text) == 0; }

 private:
  static char* Copy(const char* text, size_t length) {
    char* copy = new char[length + 1];
    if (length > 0) std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
  }

  char* data_;
};

struct __POSITION {};
typedef __POSITION* POSITION;

// An ordered list of CObject pointers. It never deletes its elements:
// RemoveAll empties the list and leaves the objects to their owner.
class CObList : public CObject {
 public:
  CObList() = default;
  CObList(const CObList&) = delete;
  CObList& operator=(const CObList&) = delete;
  ~CObList() override { RemoveAll(); }

  intptr_t GetCount() const { return count_; }
  intptr_t GetSize() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }

  POSITION GetHeadPosition() const { return AsPosition(head_); }
  POSITION GetTailPosition() const { return AsPosition(tail_); }
  CObject*& GetHead() { return head_->object; }
  CObject*& GetTail() { return tail_->object; }

  POSITION AddTail(CObject* object) {
    Node* node = new Node{object, tail_, nullptr};
    (tail_ != nullptr ? tail_->next : head_) = node;
    tail_ = node;
    ++count_;
    return AsPosition(node);
  }
  POSITION AddHead(CObject* object) {
    Node* node = new Node{object, nullptr, head_};
    (head_ != nullptr ? head_->previous : tail_) = node;
    head_ = node;
    ++count_;
    return AsPosition(node);
  }
  CObject* RemoveHead() {
    Node* node = head_;
    CObject* object = node->object;
    Unlink(node);
    return object;
  }
  CObject* RemoveTail() {
    Node* node = tail_;
    CObject* object = node->object;
    Unlink(node);
    return object;
  }
  void RemoveAt(POSITION position) { Unlink(AsNode(position)); }
  void RemoveAll() {
    while (head_ != nullptr) Unlink(head_);
  }

  // The element at `position`; GetNext/GetPrev also advance the position.
  CObject*& GetAt(POSITION position) { return AsNode(position)->object; }
  CObject* GetAt(POSITION position) const { return AsNode(position)->object; }
  CObject*& GetNext(POSITION& position) {
    Node* node = AsNode(position);
    position = AsPosition(node->next);
    return node->object;
  }
  CObject*& GetPrev(POSITION& position) {
    Node* node = AsNode(position);
    position = AsPosition(node->previous);
    return node->object;
  }
  // The position of the element at 0-based `index`, or nullptr when there is none.
  POSITION FindIndex(intptr_t index) const {
    if (index < 0 || index >= count_) return nullptr;
    Node* node = head_;
    while (index-- > 0) node = node->next;
    return AsPosition(node);
  }

 private:
  struct Node {
    CObject* object;
    Node* previous;
    Node* next;
  };
  static POSITION AsPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
  static Node* AsNode(POSITION position) { return reinterpret_cast<Node*>(position); }
  void Unlink(Node* node) {
    (node->previous != nullptr ? node->previous->next : head_) = node->next;
    (node->next != nullptr ? node->next->previous : tail_) = node->previous;
    delete node;
    --count_;
  }

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  intptr_t count_ = 0;
};
