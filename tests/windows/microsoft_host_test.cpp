// quarnel.dll called as a host built with Microsoft's compiler calls it, at
// the machine level:
// - SendTools and ReceiveTools get their CString by value as that compiler
//   passes it: the object itself, one pointer to a text on the process heap,
//   which the callee frees (on 32-bit Windows pushed on the stack).
// - The items ReceiveTools appends are deleted through virtual slot 1, the
//   scalar deleting destructor, with flag 1, and their list nodes are freed by
//   this program.
// - This program's own allocations (operator new and delete) go to a private
//   heap of its own, as those of a second C runtime would: memory that the DLL
//   made with its runtime and this program freed, or the other way round,
//   shows up as a free of a block this heap does not hold.
// - On 32-bit Windows every call is made with the stack aligned to 4 bytes
//   only, as such a host may call.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "quarnel/quarnel.h"

namespace {

// This program's heap, standing for a second C runtime's.
HANDLE OwnHeap() {
  static const HANDLE heap = HeapCreate(0, 0, 0);
  return heap;
}
long g_foreign_frees = 0;

}  // namespace

void* operator new(size_t bytes) {
  if (void* memory = HeapAlloc(OwnHeap(), 0, bytes != 0 ? bytes : 1)) return memory;
  throw std::bad_alloc();
}
void* operator new[](size_t bytes) { return operator new(bytes); }
void operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  if (HeapValidate(OwnHeap(), 0, memory)) {
    HeapFree(OwnHeap(), 0, memory);
  } else {
    ++g_foreign_frees;  // left alone: freeing it here would corrupt a heap
  }
}
void operator delete[](void* memory) noexcept { operator delete(memory); }
void operator delete(void* memory, size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory, size_t) noexcept { operator delete(memory); }

namespace {

// A CString as the caller's copy constructor leaves it in the argument slot.
struct PushedString {
  char* text;
};

PushedString PushedCopyOf(const std::string& text) {
  char* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, text.size() + 1));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return PushedString{copy};
}

#if defined(_WIN64)
// The 64-bit convention is the same for every compiler: the 8-byte object
// travels by value in a register.
template <typename Result, typename... Args>
Result CallExport(const char* name, Args... args) {
  auto* function = reinterpret_cast<Result (*)(Args...)>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("quarnel.dll"), name)));
  return function(args...);
}
using DeletingDestructor = void* (*)(void*, unsigned int);
#else
// Copies `count` words of arguments below a stack pointer that is 4 more than
// a multiple of 16, calls the cdecl function and returns its eax.
extern "C" uint32_t CallWithStackOffBy4(const void* function, const uint32_t* words,
                                        uint32_t count);
__asm__(
    ".text\n"
    ".globl _CallWithStackOffBy4\n"
    "_CallWithStackOffBy4:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  movl 12(%ebp), %esi\n"
    "  movl 16(%ebp), %ecx\n"
    "  leal 0(,%ecx,4), %edx\n"
    "  subl %edx, %esp\n"
    "  andl $-16, %esp\n"
    "  subl $12, %esp\n"
    "  movl %esp, %edi\n"
    "  cld\n"
    "  rep movsl\n"
    "  movl 8(%ebp), %eax\n"
    "  call *%eax\n"
    "  leal -8(%ebp), %esp\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebp\n"
    "  ret\n");

template <typename T>
uint32_t Word(T value) {
  static_assert(sizeof(T) == 4, "every argument here is one word");
  uint32_t word = 0;
  std::memcpy(&word, &value, sizeof word);
  return word;
}

template <typename Result, typename... Args>
Result CallExport(const char* name, Args... args) {
  const FARPROC function = GetProcAddress(GetModuleHandleA("quarnel.dll"), name);
  const uint32_t words[] = {Word(args)..., 0u};  // never empty
  return static_cast<Result>(CallWithStackOffBy4(reinterpret_cast<const void*>(function), words,
                                                 sizeof...(Args)));
}
using DeletingDestructor = void*(__thiscall*)(void*, unsigned int);
#endif

int SendTools(const std::string& path, CObList* list) {
  return CallExport<int>("SendTools", PushedCopyOf(path), list);
}
int ReceiveTools(const std::string& path, CObList* list) {
  return CallExport<int>("ReceiveTools", PushedCopyOf(path), list);
}

// `delete item` as Microsoft's compiler makes it: slot 1 with flag 1.
void DeleteAsMicrosoftHost(CObject* item) {
  DeletingDestructor slot = (*reinterpret_cast<DeletingDestructor* const*>(item))[1];
  slot(item, 1u);
}

class MicrosoftHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryA("quarnel.dll");
    ASSERT_NE(library_, nullptr);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "quarnel-msvc-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    GetCurrentDirectoryA(MAX_PATH, previous_folder_);
    SetCurrentDirectoryA(folder_.c_str());  // the existence test reads the name from here
    g_foreign_frees = 0;
  }
  void TearDown() override {
    DeleteFileA(LibraryPath().c_str());
    SetCurrentDirectoryA(previous_folder_);
    RemoveDirectoryA(folder_.c_str());
    EXPECT_EQ(g_foreign_frees, 0) << "memory of one module was freed by the other";
  }
  std::string LibraryPath() const { return folder_ + "\\tools.lib"; }

  // A new library of `count` tools, tool i of size 10 + i, sent one by one.
  void WriteLibrary(int count) {
    ASSERT_EQ(CallExport<int>("StartSendTool", LibraryPath().c_str(), 1), 0);
    for (int i = 0; i < count; ++i) {
      const float f = static_cast<float>(i);
      CallExport<int>("SendTool", 0, 10.0f + f, i == 1 ? 108 : 3, i == 1 ? "PUNCH7" : "", f,
                      2.0f, 3.0f, 2, 0.5f, 1.0f, 1.5f, 2.0f, 1, 0.1f, 0.2f, 0.3f, 0.4f, 11.0f,
                      12.0f, 13.0f, 14.0f + f);
    }
    ASSERT_EQ(CallExport<int>("EndSendTool"), 0);
  }

  HMODULE library_ = nullptr;
  std::string folder_;
  char previous_folder_[MAX_PATH] = {};
};

std::vector<ToolListItem*> Items(CObList& list) {
  std::vector<ToolListItem*> items;
  for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
    items.push_back(static_cast<ToolListItem*>(list.GetNext(at)));
  }
  return items;
}

TEST_F(MicrosoftHostTest, ListsGoBothWaysWithTheStringPushedByValue) {
  WriteLibrary(3);
  CObList list;
  ASSERT_EQ(ReceiveTools(LibraryPath(), &list), 0);
  std::vector<ToolListItem*> items = Items(list);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2]->size, 12.0f);
  EXPECT_EQ(items[2]->valueD, 16.0f);
  EXPECT_STREQ(items[1]->name, "PUNCH7");
  EXPECT_TRUE(items[0]->name.IsEmpty());

  items[0]->size = 99.0f;
  items[2]->valueA = 42.0f;
  EXPECT_EQ(SendTools(LibraryPath(), &list), 0);
  for (ToolListItem* item : items) DeleteAsMicrosoftHost(item);
  list.RemoveAll();  // the nodes the DLL made, freed here

  ASSERT_EQ(ReceiveTools(LibraryPath(), &list), 0);
  items = Items(list);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0]->size, 99.0f);
  EXPECT_EQ(items[2]->valueA, 42.0f);
  EXPECT_STREQ(items[1]->name, "PUNCH7");
  for (ToolListItem* item : items) DeleteAsMicrosoftHost(item);
  list.RemoveAll();
}

TEST_F(MicrosoftHostTest, AMissingLibraryIsReportedAndItsStringStillFreed) {
  CObList list;
  EXPECT_EQ(ReceiveTools(folder_ + "\\absent.lib", &list), 1);
  EXPECT_EQ(SendTools(folder_ + "\\absent.lib", &list), 1);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(MicrosoftHostTest, PartDrawingReadsTheHostsLists) {
  GeomEntity line{};
  line.type = 4;
  line.x = 1.0f;
  line.p[0] = 5.0f;
  CObList entities, second_list;
  entities.AddTail(new GeomEntityObject(line));
  entities.AddTail(new GeomEntityObject(line));
  second_list.AddTail(new SecondListElement());
  SpecialToolInfo info{};
  info.entities = &entities;
  info.secondList = &second_list;

  EXPECT_EQ(CallExport<uint8_t>("ViewSpecialTool", &info), 1);
  WIN32_FILE_ATTRIBUTE_DATA written{};
  ASSERT_TRUE(GetFileAttributesExA("c:\\spt.prt", GetFileExInfoStandard, &written));
  DeleteFileA("c:\\spt.prt");
  EXPECT_EQ(written.nFileSizeLow, 101u + 93u * 2 + (4 + 42 + 16) + 1394u + 44u * 2);
  for (CObList* list : {&entities, &second_list}) {
    while (!list->IsEmpty()) delete list->RemoveHead();
  }
}

}  // namespace
