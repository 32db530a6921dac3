#include "reliability/tests/entry_sequences.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "exports/module_state.h"
#include "exports/tool_exchange_state.h"
#include "platform/ini_profile.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/safe_write.h"
#include "quarnel/quarnel.h"
#include "reliability/tests/sample_files.h"
#include "spectool/geom_point.h"
#include "toollib/special_tool_folder.h"

namespace quarnel::reliability {
namespace {

namespace fs = std::filesystem;

constexpr size_t kNameBuffer = 256;
// The smallest stored tool: a 72-byte legacy record (current records are 76 or more).
constexpr size_t kSmallestToolRecord = 72;
// Outlines up to this size are compared entity by entity and drawn as a part.
constexpr int32_t kComparedEntities = 4096;
constexpr int32_t kDrawnEntities = 256;
constexpr size_t kPartHeader = 101, kPartRecord = 93, kPartTrailer = 1394, kPartTrailerPerEntity = 44;

// The status codes the Send and Receive entry points may answer.
constexpr int kDone = 0, kNotLoaded = 2, kNoTools = 5;

class Checker {
 public:
  explicit Checker(Findings& findings) : findings_(findings) {}
  void Expect(bool holds, const std::string& what) {
    if (!holds) findings_.push_back(what);
  }

 private:
  Findings& findings_;
};

std::string Text(int value) { return std::to_string(value); }

// Everything ReceiveTool can write, preset to values it never writes.
struct ReceivedTool {
  float size = -1234.5f, x = -1234.5f, y = -1234.5f, z = -1234.5f;
  float a[4] = {-1234.5f, -1234.5f, -1234.5f, -1234.5f};
  float d[4] = {-1234.5f, -1234.5f, -1234.5f, -1234.5f};
  float valueA = -1234.5f, valueB = -1234.5f, valueC = -1234.5f, valueD = -1234.5f;
  int typeCode = -77, keyedCount = -77, dieClearanceCount = -77;
  int secondStation = -77, firstStation = -77;
  char name[kNameBuffer + 16];

  ReceivedTool() { std::memset(name, 0x5A, sizeof name); }
  // Any tool may carry the preset numbers; only a written name has a terminator.
  bool Written() const { return std::memchr(name, '\0', kNameBuffer) != nullptr; }
  bool Untouched() const {
    for (char c : name) {
      if (c != 0x5A) return false;
    }
    return typeCode == -77 && secondStation == -77 && firstStation == -77 && keyedCount == -77;
  }
};

ReceivedTool Receive(int index) {
  ReceivedTool t;
  ReceiveTool(index, &t.size, &t.typeCode, t.name, &t.x, &t.y, &t.z, &t.keyedCount, &t.a[0],
              &t.a[1], &t.a[2], &t.a[3], &t.dieClearanceCount, &t.d[0], &t.d[1], &t.d[2], &t.d[3],
              &t.valueA, &t.valueB, &t.valueC, &t.valueD, &t.secondStation, &t.firstStation);
  return t;
}

// Receives every tool of the running sequence and checks what a host may rely
// on; returns how many tools could be received (at most `limit`).
int ReceiveEveryTool(Checker& check, int limit) {
  int received = 0;
  for (; received <= limit; ++received) {
    const ReceivedTool tool = Receive(received);
    if (!tool.Written()) {
      check.Expect(tool.Untouched(), "ReceiveTool past the last tool wrote an output");
      break;
    }
    check.Expect(tool.name[kNameBuffer] == 0x5A, "ReceiveTool wrote past the 256-byte name buffer");
    check.Expect(tool.keyedCount >= 0 && tool.keyedCount <= 4,
                 "ReceiveTool gave keyed count " + Text(tool.keyedCount));
  }
  check.Expect(Receive(-1).Untouched(), "ReceiveTool(-1) wrote an output");
  return received;
}

void DeleteItems(CObList& list) {
  for (POSITION at = list.GetHeadPosition(); at != nullptr;) delete list.GetNext(at);
  list.RemoveAll();
}

void CheckNoTemporaryFile(Checker& check, const std::string& path) {
  check.Expect(!WindowsFileExists(platform::TemporaryPathFor(path)),
               "a temporary file was left beside " + path);
}

// Overwrites tool 0 of a copy of the file and saves it; what was saved must
// load again with the same tools, and save again to the same bytes. A file
// that did not load must stay as it was.
void SendRoundTrip(Checker& check, std::string_view bytes, int loaded_tools) {
  WriteWindowsFile(kSendCopy, bytes);
  const int start = StartSendTool(kSendCopy, 0);
  check.Expect(start == kDone || start == kNotLoaded || start == kNoTools,
               "StartSendTool answered " + Text(start));
  check.Expect((start == kDone) == (loaded_tools > 0),
               "StartSendTool answered " + Text(start) + " for a file of " + Text(loaded_tools) + " tools");
  SendTool(0, 42.0f, 3, nullptr, 1, 2, 3, 2, 0.5f, 0.5f, 0, 0, 1, 0.1f, 0, 0, 0, 1, 2, 3, 4);
  const int end = EndSendTool();
  CheckNoTemporaryFile(check, kSendCopy);
  if (start != kDone) {
    check.Expect(end == kDone, "EndSendTool without a library answered " + Text(end));
    check.Expect(ReadWindowsFile(kSendCopy) == bytes, "a library that did not load was changed");
    return;
  }
  check.Expect(end == kDone, "EndSendTool of a loaded library answered " + Text(end));
  const std::string saved = ReadWindowsFile(kSendCopy);

  int count = -1;
  const int reload = StartReceiveTool(kSendCopy, kMissingStations, &count);
  check.Expect(reload == kNotLoaded && count == loaded_tools,
               "the saved library reloaded with " + Text(reload) + " and " + Text(count) +
                   " tools instead of " + Text(loaded_tools));
  const ReceivedTool first = Receive(0);
  check.Expect(first.size == 42.0f && first.typeCode == 3, "the sent tool did not come back");
  EndReceiveTool();

  // Loading normalises some values (keyed counts, special flags), so the
  // first save may differ from the second; from then on nothing may change.
  check.Expect(StartSendTool(kSendCopy, 0) == kDone && EndSendTool() == kDone,
               "the saved library could not be saved again");
  const std::string resaved = ReadWindowsFile(kSendCopy);
  check.Expect(resaved.size() == saved.size(), "saving a saved library changed its size");
  check.Expect(StartSendTool(kSendCopy, 0) == kDone && EndSendTool() == kDone,
               "the library could not be saved a third time");
  check.Expect(ReadWindowsFile(kSendCopy) == resaved, "saving a library twice gave different bytes");
}

// The host's special-tool object with every tool field preset to 0xEE.
SpecialToolInfo FreshInfo() {
  SpecialToolInfo info;
  std::memset(&info, 0xEE, sizeof info);
  info.path = kSpecialToolInput;
  info.entities = nullptr;
  info.secondList = nullptr;
  return info;
}

#pragma pack(push, 1)
struct HostRecord {
  unsigned char header[sizeof(void*)];
  GeomEntity entity;
  HostRecord() { std::memset(this, 0xC3, sizeof *this); }
  bool Untouched() const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(this);
    for (size_t i = 0; i < sizeof *this; ++i) {
      if (bytes[i] != 0xC3) return false;
    }
    return true;
  }
  bool HeaderIntact() const {
    for (unsigned char b : header) {
      if (b != 0xC3) return false;
    }
    return true;
  }
};
#pragma pack(pop)

void CheckInfo(Checker& check, const SpecialToolInfo& info, const char* how) {
  check.Expect(info.path == kSpecialToolInput, std::string(how) + " changed the path pointer");
  check.Expect(info.entities == nullptr && info.secondList == nullptr,
               std::string(how) + " changed the host's list pointers");
  check.Expect(info.side == 0xEE || info.side <= 2, std::string(how) + " wrote side " + Text(info.side));
}

// Draws `outline` as the part "c:\spt.prt" and checks the file's size.
void DrawOutline(Checker& check, const std::vector<GeomEntity>& outline) {
  CObList entities;
  CObList second;
  for (const GeomEntity& entity : outline) entities.AddTail(new GeomEntityObject(entity));
  for (int i = 0; i < 2; ++i) second.AddTail(new SecondListElement());
  SpecialToolInfo info = FreshInfo();
  info.entities = &entities;
  info.secondList = &second;
  const std::string part = "c:\\spt.prt";
  const uint8_t drawn = ViewSpecialTool(&info);
  const size_t n = outline.size();
  const size_t second_section = 4 + 2 * 42 + 16;
  check.Expect(drawn == 1, "ViewSpecialTool failed on a scratch drive");
  check.Expect(ReadWindowsFile(part).size() ==
                   kPartHeader + kPartRecord * n + second_section + kPartTrailer + kPartTrailerPerEntity * n,
               "the part drawing has the wrong size");
  CheckNoTemporaryFile(check, part);
  DeleteItems(entities);
  DeleteItems(second);
}

std::optional<std::string> NulSeparated(std::string_view& rest) {
  const auto end = rest.find('\0');
  if (end == std::string_view::npos) return std::nullopt;
  std::string part(rest.substr(0, end));
  rest.remove_prefix(end + 1);
  return part;
}

}  // namespace

void WriteWindowsFile(const std::string& path, std::string_view bytes) {
  const fs::path posix = platform::MapPath(path);
  fs::create_directories(posix.parent_path());
  std::ofstream out(posix, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadWindowsFile(const std::string& path) {
  std::ifstream in(platform::MapPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WindowsFileExists(const std::string& path) { return fs::exists(platform::MapPath(path)); }

void PrepareFixtures() {
  WriteWindowsFile(kStationLibrary, StationLibrary());
  // Legacy libraries name PUNCH7; a dictionary word names OLD7.
  const std::string folder = toollib::kDefaultSpecialToolFolder;
  WriteWindowsFile(folder + "PUNCH7.spt", RichSpecialTool(92).bytes);
  WriteWindowsFile(folder + "OLD7.spt", RichSpecialTool(7).bytes);
}

namespace {

// The receiving half of the library sequence; the number of tools that
// loaded, or -1 when the library did not load.
int ReceiveLibrary(Checker& check, std::string_view bytes) {
  ResetModuleState();
  WriteWindowsFile(kLibraryInput, bytes);

  int count = -1;
  const int start = StartReceiveTool(kLibraryInput, kMissingStations, &count);
  check.Expect(start == kNotLoaded || start == kNoTools, "StartReceiveTool answered " + Text(start));
  const int limit = static_cast<int>(bytes.size() / kSmallestToolRecord);
  const int received = ReceiveEveryTool(check, limit);
  check.Expect(received <= limit, "more tools than the file has room for");
  if (count != -1) {
    check.Expect(received == count, "StartReceiveTool reported " + Text(count) + " tools, " +
                                         Text(received) + " could be received");
  }
  check.Expect(start != kNoTools || count == 0, "no tools, yet the count is " + Text(count));
  check.Expect(EndReceiveTool() == kDone, "EndReceiveTool failed");
  check.Expect(Receive(0).Untouched(), "ReceiveTool after EndReceiveTool wrote an output");
  return count;
}

}  // namespace

Findings RunLibraryReceive(std::string_view bytes) {
  Findings findings;
  Checker check(findings);
  ReceiveLibrary(check, bytes);
  ResetModuleState();
  return findings;
}

Findings RunLibraryInput(std::string_view bytes) {
  Findings findings;
  Checker check(findings);
  const int count = ReceiveLibrary(check, bytes);
  const bool loaded = count != -1;

  CObList list;
  const int listed = ReceiveTools(CString(kLibraryInput), &list);
  check.Expect(listed == kDone || listed == kNotLoaded || listed == kNoTools,
               "ReceiveTools answered " + Text(listed));
  check.Expect((listed != kNotLoaded) == loaded, "ReceiveTools and StartReceiveTool disagree on loading");
  check.Expect(list.GetCount() == (listed == kDone ? count : 0),
               "ReceiveTools listed " + Text(static_cast<int>(list.GetCount())) + " tools");
  DeleteItems(list);
  EndReceiveTool();

  SendRoundTrip(check, bytes, loaded ? count : 0);
  ResetModuleState();
  return findings;
}

Findings RunStationInput(std::string_view bytes) {
  Findings findings;
  Checker check(findings);
  ResetModuleState();
  WriteWindowsFile(kStationInput, bytes);
  int count = -1;
  const int start = StartReceiveTool(kStationLibrary, kStationInput, &count);
  check.Expect(start == kDone && count == kStationLibraryTools,
               "StartReceiveTool answered " + Text(start) + " with " + Text(count) + " tools");
  const int received = ReceiveEveryTool(check, kStationLibraryTools);
  check.Expect(received == kStationLibraryTools, "only " + Text(received) + " tools could be received");
  check.Expect(EndReceiveTool() == kDone, "EndReceiveTool failed");
  ResetModuleState();
  return findings;
}

namespace {

Findings RunSpecialToolSequence(std::string_view bytes, bool draw) {
  Findings findings;
  Checker check(findings);
  WriteWindowsFile(kSpecialToolInput, bytes);

  // Both ways start from the same rotation cache, so that their outlines
  // are the same to the bit.
  ResetModuleState();
  SpecialToolInfo opened = FreshInfo();
  int32_t count = -7;
  const int32_t status = OpenSpecialTool(&opened, &count);
  check.Expect(status == 0 || status == 3 || status == 4, "OpenSpecialTool answered " + Text(status));
  check.Expect(count >= 0 && (status == 0 || count == 0), "OpenSpecialTool counted " + Text(count));
  CheckInfo(check, opened, "OpenSpecialTool");
  std::vector<GeomEntity> outline;
  for (int32_t i = 0; i < count; ++i) {
    HostRecord record;
    check.Expect(LoadGeometryAtIndex(i, &record) == 0, "LoadGeometryAtIndex answered non-zero");
    check.Expect(record.HeaderIntact(), "LoadGeometryAtIndex wrote the host's object header");
    if (i < kComparedEntities) outline.push_back(record.entity);
  }
  HostRecord beyond;
  LoadGeometryAtIndex(count, &beyond);
  LoadGeometryAtIndex(-1, &beyond);
  check.Expect(beyond.Untouched(), "LoadGeometryAtIndex out of range wrote the record");
  CloseSpecialTool();
  LoadGeometryAtIndex(0, &beyond);
  check.Expect(beyond.Untouched(), "LoadGeometryAtIndex after CloseSpecialTool wrote the record");
  CloseSpecialTool();

  ResetModuleState();
  SpecialToolInfo loaded = FreshInfo();
  int32_t loaded_count = -7;
  const int32_t load_status = LoadSpecialTool(&loaded, &loaded_count);
  check.Expect(load_status == status && loaded_count == count,
               "LoadSpecialTool answered " + Text(load_status) + " and " + Text(loaded_count) +
                   ", OpenSpecialTool " + Text(status) + " and " + Text(count));
  check.Expect(std::memcmp(&loaded, &opened, sizeof loaded) == 0,
               "LoadSpecialTool and OpenSpecialTool filled the host's record differently");
  for (int32_t i = 0; i < loaded_count && i < kComparedEntities; ++i) {
    HostRecord record;
    GetGeometryAt(&record, i);
    check.Expect(record.HeaderIntact(), "GetGeometryAt wrote the host's object header");
    check.Expect(static_cast<size_t>(i) >= outline.size() ||
                     std::memcmp(&record.entity, &outline[static_cast<size_t>(i)], sizeof(GeomEntity)) == 0,
                 "GetGeometryAt and LoadGeometryAtIndex differ at entity " + Text(i));
    int32_t type = 0, flags = 0, ref = 0;
    float x = 0, y = 0, p0 = 0, p1 = 0;
    GetGeometryValuesAt(&type, &flags, &ref, &x, &y, &p0, &p1, i);
    check.Expect(type == record.entity.type, "GetGeometryValuesAt gave another type");
  }
  HostRecord after;
  GetGeometryAt(&after, loaded_count);
  GetGeometryAt(&after, -1);
  check.Expect(after.Untouched(), "GetGeometryAt out of range wrote the record");

  if (draw && count <= kDrawnEntities) DrawOutline(check, outline);
  ResetModuleState();
  return findings;
}

}  // namespace

Findings RunSpecialToolInput(std::string_view bytes) { return RunSpecialToolSequence(bytes, true); }

Findings RunSpecialToolOutline(std::string_view bytes) { return RunSpecialToolSequence(bytes, false); }

Findings RunProfileInput(std::string_view bytes) {
  Findings findings;
  Checker check(findings);
  const char* profile = std::getenv("QUARNEL_PROFILE");
  if (profile == nullptr) {
    findings.push_back("no scratch profile is set");
    return findings;
  }
  {
    std::ofstream out(profile, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  const std::string section = toollib::kSpecialToolFolderSection;
  const std::string key = toollib::kSpecialToolFolderKey;
  const std::optional<std::string> expected = platform::FindIniValue(bytes, section, key);
  for (uint32_t size : {1u, 2u, 16u, 256u, 4096u}) {
    std::vector<char> buffer(size + 8, '\x7F');
    const uint32_t copied = platform::GetProfileText(section.c_str(), key.c_str(), "default",
                                                     buffer.data(), size);
    check.Expect(copied < size && buffer[copied] == '\0',
                 "GetProfileText broke its contract for a buffer of " + Text(static_cast<int>(size)));
    check.Expect(buffer[size] == '\x7F', "GetProfileText wrote past the buffer");
    const std::string whole = expected.value_or("default");
    check.Expect(std::string(buffer.data(), copied) == whole.substr(0, size - 1),
                 "GetProfileText and FindIniValue disagree");
  }
  char untouched = '\x7F';
  check.Expect(platform::GetProfileText(section.c_str(), key.c_str(), "x", &untouched, 0) == 0 &&
                   untouched == '\x7F',
               "GetProfileText wrote into a buffer of size 0");

  const std::string folder = toollib::SpecialToolFolder(exports::Module().folder);
  check.Expect(!folder.empty() && folder.back() == '\\' && folder.size() < toollib::kSpecialToolFolderSize,
               "the special-tool folder \"" + folder + "\" is unusable");

  // "section\0key\0text" looks up a section and key of the input's own choice.
  std::string_view rest = bytes;
  const std::optional<std::string> own_section = NulSeparated(rest);
  const std::optional<std::string> own_key = own_section ? NulSeparated(rest) : std::nullopt;
  if (own_key) {
    const std::optional<std::string> value = platform::FindIniValue(rest, *own_section, *own_key);
    check.Expect(!value || value->find('\n') == std::string::npos, "FindIniValue gave a value across lines");
  }
  return findings;
}

Findings RunTargetInput(std::string_view target, std::string_view bytes) {
  if (target == "library") return RunLibraryInput(bytes);
  if (target == "station") return RunStationInput(bytes);
  if (target == "special_tool") return RunSpecialToolInput(bytes);
  if (target == "profile") return RunProfileInput(bytes);
  return {"no fuzz target is named " + std::string(target)};
}

}  // namespace quarnel::reliability
