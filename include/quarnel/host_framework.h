// The host application framework's classes that cross the library boundary:
// CObject, CString and CObList, with the operations that host code uses, so that
// host code written against the framework compiles unchanged against them.
// Everything is inline: a host needs no library of ours to use these types.
//
// On Windows the DLL and its host are built apart, often with different
// compilers and C runtimes, so these classes are laid out to cross that gap:
// - Memory that one module allocates and the other frees (string texts, list
//   nodes, CObject-derived objects) comes from the process heap, which every
//   module of the process reaches whatever its runtime.
// - A CObject's first three virtual slots are those Microsoft's compiler lays
//   out (run-time class query, scalar deleting destructor, Serialize), so a
//   Microsoft-built host deletes the list items the DLL made through slot 1.
//   An object's virtual functions are code of the module that made it: delete
//   the items that ReceiveTools appends before the DLL is unloaded.
// - SendTools and ReceiveTools take their string by value as Microsoft's
//   compiler passes a CString: the object itself (one pointer to the text),
//   which the callee releases. See CStringParameter below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#if defined(_WIN32)
#include <windows.h>
#endif

// Other compilers than Microsoft's on Windows (mingw-w64 GCC or clang) follow
// the Itanium C++ rules for virtual tables and class arguments; the classes
// below then add what makes them meet Microsoft's at the machine level.
#if defined(_WIN32) && !defined(_MSC_VER)
#define QUARNEL_MICROSOFT_BOUNDARY 1
#else
#define QUARNEL_MICROSOFT_BOUNDARY 0
#endif

namespace quarnel_boundary {

#if defined(_WIN32)
// Allocation shared by the DLL and its host: the process heap.
inline void* Allocate(size_t bytes) {
  void* memory = HeapAlloc(GetProcessHeap(), 0, bytes != 0 ? bytes : 1);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}
inline void Release(void* memory) noexcept {
  if (memory != nullptr) HeapFree(GetProcessHeap(), 0, memory);
}
#endif

// A string's text; elsewhere than on Windows both sides share the C++ allocator.
inline char* NewText(size_t bytes) {
#if defined(_WIN32)
  return static_cast<char*>(Allocate(bytes));
#else
  return new char[bytes];
#endif
}
inline void DeleteText(char* text) noexcept {
#if defined(_WIN32)
  Release(text);
#else
  delete[] text;
#endif
}

}  // namespace quarnel_boundary

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
#if QUARNEL_MICROSOFT_BOUNDARY
 private:
  // Slot 1 as Microsoft's compiler fills it: destroy, and free when bit 0 of
  // `flags` is set. The C++ destructor follows Serialize, in slots of its own.
  virtual void* ScalarDeletingDestructor(unsigned int flags) {
    if ((flags & 1u) != 0) {
      delete this;
    } else {
      this->~CObject();
    }
    return this;
  }

 public:
  virtual void Serialize(CArchive& /*archive*/) {}
  virtual ~CObject() = default;
#else
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& /*archive*/) {}
#endif

#if defined(_WIN32)
  // Objects are made and freed on the process heap, whichever module does it.
  static void* operator new(size_t bytes) { return quarnel_boundary::Allocate(bytes); }
  static void* operator new(size_t /*bytes*/, void* place) noexcept { return place; }
  static void operator delete(void* object) noexcept { quarnel_boundary::Release(object); }
  static void operator delete(void* /*object*/, void* /*place*/) noexcept {}
#endif

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#if QUARNEL_MICROSOFT_BOUNDARY
class CString;
// A CString as Microsoft's compiler passes it by value: the object itself, one
// pointer to a text on the process heap, which the callee takes over and
// frees. It converts implicitly from a CString (a new copy of its text) or a
// C text, so host code passes a CString as it would to a CString parameter.
struct CStringArgument {
  CStringArgument(const CString& text);
  CStringArgument(const char* text);
  char* text;
};
typedef CStringArgument CStringParameter;
#endif

// A text owned by value: one pointer to a NUL-terminated copy.
class CString {
 public:
  CString() : data_(Copy("", 0)) {}
  CString(const char* text) : data_(Copy(text, text != nullptr ? std::strlen(text) : 0)) {}
  CString(const CString& other) : data_(Copy(other.data_, other.GetLength())) {}
#if QUARNEL_MICROSOFT_BOUNDARY
  // Takes over the text of a string passed by value.
  explicit CString(CStringArgument passed)
      : data_(passed.text != nullptr ? passed.text : Copy("", 0)) {}
#endif
  CString& operator=(const CString& other) {
    if (this != &other) {
      char* copy = Copy(other.data_, other.GetLength());
      quarnel_boundary::DeleteText(data_);
      data_ = copy;
    }
    return *this;
  }
  CString& operator=(const char* text) { return *this = CString(text); }
  ~CString() { quarnel_boundary::DeleteText(data_); }

  int GetLength() const { return static_cast<int>(std::strlen(data_)); }
  bool IsEmpty() const { return data_[0] == '\0'; }
  const char* GetString() const { return data_; }
  operator const char*() const { return data_; }
  char GetAt(int index) const { return data_[index]; }
  bool operator==(const char* text) const { return text != nullptr && std::strcmp(data_, text) == 0; }

 private:
  friend struct CStringArgument;
  static char* Copy(const char* text, size_t length) {
    char* copy = quarnel_boundary::NewText(length + 1);
    if (length > 0) std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
  }

  char* data_;
};

#if QUARNEL_MICROSOFT_BOUNDARY
inline CStringArgument::CStringArgument(const CString& text)
    : text(CString::Copy(text.GetString(), static_cast<size_t>(text.GetLength()))) {}
inline CStringArgument::CStringArgument(const char* text)
    : text(CString::Copy(text != nullptr ? text : "", text != nullptr ? std::strlen(text) : 0)) {}
static_assert(sizeof(CStringArgument) == sizeof(CString) && sizeof(CString) == sizeof(void*) &&
                  std::is_trivially_copyable<CStringArgument>::value,
              "a string argument is the string object, one pointer, passed by value");
#else
// The type of the by-value string parameter of SendTools and ReceiveTools.
typedef CString CStringParameter;
#endif

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
    Node* node = NewNode(object, tail_, nullptr);
    (tail_ != nullptr ? tail_->next : head_) = node;
    tail_ = node;
    ++count_;
    return AsPosition(node);
  }
  POSITION AddHead(CObject* object) {
    Node* node = NewNode(object, nullptr, head_);
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
  // Nodes, like texts, may be freed by the other module: the shared allocation.
  static Node* NewNode(CObject* object, Node* previous, Node* next) {
#if defined(_WIN32)
    return new (quarnel_boundary::Allocate(sizeof(Node))) Node{object, previous, next};
#else
    return new Node{object, previous, next};
#endif
  }
  static void DeleteNode(Node* node) noexcept {
#if defined(_WIN32)
    quarnel_boundary::Release(node);
#else
    delete node;
#endif
  }
  static POSITION AsPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
  static Node* AsNode(POSITION position) { return reinterpret_cast<Node*>(position); }
  void Unlink(Node* node) {
    (node->previous != nullptr ? node->previous->next : head_) = node->next;
    (node->next != nullptr ? node->next->previous : tail_) = node->previous;
    DeleteNode(node);
    --count_;
  }

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  intptr_t count_ = 0;
};
