// The Receive family: hands the tools of a tool library file to the host,
// either tool by tool with their stations (StartReceiveTool, ReceiveTool,
// EndReceiveTool) or as new items of the host's list (ReceiveTools).
#include <cstdint>
#include <cstring>
#include <memory>

#include "exports/tool_exchange_state.h"
#include "exports/tool_exchange_values.h"
#include "quarnel/quarnel.h"
#include "stations/station_file.h"

namespace quarnel::exports {
namespace {

// The capacity of the host's name buffer, terminator included.
constexpr size_t kNameBufferSize = 256;

// Writes `value` through an output of the host's; a null output is skipped.
template <typename T>
void Put(T* output, T value) {
  if (output != nullptr) *output = value;
}

// Copies `name` into the host's buffer, cut to fit with its terminator.
void PutName(char* buffer, const char* name) {
  if (buffer == nullptr) return;
  size_t length = 0;
  while (length < kNameBufferSize - 1 && name[length] != '\0') ++length;
  std::memcpy(buffer, name, length);
  buffer[length] = '\0';
}

// A station number carried as a float, truncated toward zero; 0 when it is
// not a number or does not fit an int.
int32_t StationFromFloat(float value) {
  if (!(value >= -2147483648.0f && value < 2147483648.0f)) return 0;
  return static_cast<int32_t>(value);
}

// The station of the second table that holds `tool`, the tool at `position`;
// when none does, the station the tool's ToolExtra names (0 without one).
int32_t SecondTableStation(toollib::ToolLibrary& library, stations::StationTable* table,
                           int32_t position, const toollib::ToolRecord& tool) {
  const int32_t station = stations::StationOfTool(table, position);
  if (station != 0) return station;
  // A new ToolExtra names station 0: only a tool with an extra needs one read.
  if (tool.extraIndex <= 0) return 0;
  return StationFromFloat(library.ExtraFirstEntryValue(tool.extraIndex));
}

}  // namespace
}  // namespace quarnel::exports

using namespace quarnel::exports;

// Loads the library at `libraryPath`, reports its tool count and loads the
// two tables of the station file at `stationPath` against it. 2 when the
// library cannot be loaded (count not written; the library stays current) or
// the station file cannot be opened (the library and its count stand); 5
// when the library holds no tools. The station file is only read.
extern "C" QUARNEL_API int QUARNEL_CALL StartReceiveTool(const char* libraryPath,
                                                         const char* stationPath, int* count) {
  return GuardedExchange(QUARNEL_LIBRARY_NOT_LOADED, [&] {
    ToolExchangeState& state = ExchangeState();
    // Tables of an earlier sequence never describe the library loaded now.
    ReleaseStationTables();
    state.libraryPath = libraryPath != nullptr ? libraryPath : "";
    const quarnel::StatusCode loaded = LoadNewCurrentLibrary(libraryPath);
    if (loaded != quarnel::StatusCode::kOk) return ExchangeResult(ExchangeStep::kOpen, loaded);
    const auto tools = static_cast<int>(state.library->Count());
    Put(count, tools);
    if (tools == 0) {
      ReleaseCurrentLibrary();
      return QUARNEL_LIBRARY_HAS_NO_TOOLS;
    }
    state.firstStations = std::make_unique<quarnel::stations::StationTable>(0);
    state.secondStations = std::make_unique<quarnel::stations::StationTable>(1);
    const quarnel::StatusCode stations =
        stationPath == nullptr
            ? quarnel::StatusCode::kFileCannotOpen
            : quarnel::stations::LoadStationFile(stationPath, Module().Links(),
                                                 *state.firstStations, *state.secondStations);
    if (stations != quarnel::StatusCode::kOk) {
      ReleaseStationTables();
      return ExchangeResult(ExchangeStep::kOpen, stations);
    }
    return QUARNEL_EXCHANGE_DONE;
  });
}

// Writes the tool at 0-based `index` through the host's outputs, with its
// station in each table; a null output is skipped. An index out of range, or
// no started sequence, writes nothing. Always 0.
extern "C" QUARNEL_API int QUARNEL_CALL ReceiveTool(int index, float* size, int* typeCode,
                                                    char* name, float* x, float* y, float* z,
                                                    int* keyedCount, float* a1, float* a2,
                                                    float* a3, float* a4, int* dieClearanceCount,
                                                    float* d1, float* d2, float* d3, float* d4,
                                                    float* valueA, float* valueB, float* valueC,
                                                    float* valueD, int* secondStation,
                                                    int* firstStation) {
  return Guarded(QUARNEL_EXCHANGE_DONE, [&] {
    ToolExchangeState& state = ExchangeState();
    quarnel::toollib::ToolLibrary* library = state.library.get();
    if (library == nullptr || index < 0 || static_cast<uint32_t>(index) >= library->Count()) {
      return QUARNEL_EXCHANGE_DONE;
    }
    const int32_t position = index + 1;
    quarnel::toollib::ToolRecord tool;
    if (library->ReadAt(tool, position) != 1) return QUARNEL_EXCHANGE_DONE;
    const HostToolValues values = ValuesOfTool(tool);
    PutName(name, values.name);
    Put(size, values.size);
    Put(typeCode, values.typeCode);
    Put(x, values.x);
    Put(y, values.y);
    Put(z, values.z);
    Put(keyedCount, values.keyedCount);
    Put(a1, values.a1);
    Put(a2, values.a2);
    Put(a3, values.a3);
    Put(a4, values.a4);
    Put(dieClearanceCount, values.dieClearanceCount);
    Put(d1, values.d1);
    Put(d2, values.d2);
    Put(d3, values.d3);
    Put(d4, values.d4);
    Put(valueA, values.valueA);
    Put(valueB, values.valueB);
    Put(valueC, values.valueC);
    Put(valueD, values.valueD);
    Put(secondStation, SecondTableStation(*library, state.secondStations.get(), position, tool));
    Put(firstStation, quarnel::stations::StationOfTool(state.firstStations.get(), position));
    return QUARNEL_EXCHANGE_DONE;
  });
}

// Drops the sequence's library and both station tables. Always 0.
extern "C" QUARNEL_API int QUARNEL_CALL EndReceiveTool(void) {
  return Guarded(QUARNEL_EXCHANGE_DONE, [] {
    ReleaseCurrentLibrary();
    ReleaseStationTables();
    return QUARNEL_EXCHANGE_DONE;
  });
}

// Appends one new ToolListItem per tool of the library at `libraryPath` to
// the host's list, after whatever it holds, in library order; the host owns
// them. A null list receives nothing. 1 when the file does not exist, 2 when
// it cannot be loaded (the library stays current), 5 when it has no tools.
extern "C" QUARNEL_API int QUARNEL_CALL ReceiveTools(CStringParameter passedPath, CObList* tools) {
  const CString libraryPath = TakePassedString(passedPath);
  return GuardedExchange(QUARNEL_LIBRARY_NOT_LOADED, [&] {
    const int status = OpenLibraryFile(libraryPath.GetString());
    if (status != QUARNEL_EXCHANGE_DONE) return status;
    quarnel::toollib::ToolLibrary& library = *ExchangeState().library;
    const auto count = static_cast<int32_t>(library.Count());
    for (int32_t position = 1; position <= count && tools != nullptr; ++position) {
      quarnel::toollib::ToolRecord tool;
      if (library.ReadAt(tool, position) != 1) continue;
      std::unique_ptr<ToolListItem> item(NewListItem(ValuesOfTool(tool)));
      tools->AddTail(item.get());
      static_cast<void>(item.release());
    }
    ReleaseCurrentLibrary();
    return QUARNEL_EXCHANGE_DONE;
  });
}
