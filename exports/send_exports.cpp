// The Send family: writes the host's tools into a tool library file, either
// tool by tool (StartSendTool, SendTool, EndSendTool) or from the host's
// whole list (SendTools).
#include <cstdint>

#include "exports/host_objects.h"
#include "exports/tool_exchange_state.h"
#include "exports/tool_exchange_values.h"
#include "quarnel/quarnel.h"

namespace quarnel::exports {
namespace {

// True when 0-based `index` names a tool of `library`.
bool IsToolIndex(toollib::ToolLibrary& library, int index) {
  return index >= 0 && static_cast<uint32_t>(index) < library.Count();
}

// Overwrites the host's fields of the tool at 1-based `position`.
void OverwriteTool(toollib::ToolLibrary& library, int32_t position, const HostToolValues& values) {
  toollib::ToolRecord tool;
  if (library.ReadAt(tool, position) != 1) return;
  FillToolRecord(tool, values);
  library.UpdateCurrent(tool);
}

// Walks the host's list once, item by item, so that fetching every item costs
// the length of the list (a look-up by index walks from the head each time).
class ListWalk {
 public:
  explicit ListWalk(CObList* tools) : tools_(tools), next_(tools ? tools->GetHeadPosition() : nullptr) {}

  // The next item; null when the list has ended or the element is missing or
  // not a tool list item.
  const ToolListItem* Next() {
    if (next_ == nullptr) return nullptr;
    return HostElementAs<ToolListItem>(tools_->GetNext(next_));
  }

 private:
  CObList* tools_;
  POSITION next_;
};

}  // namespace
}  // namespace quarnel::exports

using namespace quarnel::exports;

// Opens the library at `libraryPath` for overwriting, or starts an empty one
// (newLibrary not 0) that EndSendTool writes there. A null path cannot be loaded.
extern "C" QUARNEL_API int QUARNEL_CALL StartSendTool(const char* libraryPath, int newLibrary) {
  return GuardedExchange(QUARNEL_LIBRARY_NOT_LOADED, [&] {
    ToolExchangeState& state = ExchangeState();
    state.libraryPath = libraryPath != nullptr ? libraryPath : "";
    state.newLibrary = newLibrary;
    if (newLibrary != 0 && libraryPath != nullptr) {
      CreateCurrentLibrary();
      return QUARNEL_EXCHANGE_DONE;
    }
    const quarnel::StatusCode loaded = LoadNewCurrentLibrary(libraryPath);
    if (loaded != quarnel::StatusCode::kOk) {
      ReleaseCurrentLibrary();
      return ExchangeResult(ExchangeStep::kOpen, loaded);
    }
    if (state.library->Count() == 0) {
      ReleaseCurrentLibrary();
      return QUARNEL_LIBRARY_HAS_NO_TOOLS;
    }
    return QUARNEL_EXCHANGE_DONE;
  });
}

// Appends a tool to a new library, or overwrites the tool at 0-based `index`
// of a loaded one; anything else changes nothing. Always 0.
extern "C" QUARNEL_API int QUARNEL_CALL SendTool(int index, float size, int typeCode,
                                                 const char* name, float x, float y, float z,
                                                 int keyedCount, float a1, float a2, float a3,
                                                 float a4, int dieClearanceCount, float d1,
                                                 float d2, float d3, float d4, float valueA,
                                                 float valueB, float valueC, float valueD) {
  return Guarded(QUARNEL_EXCHANGE_DONE, [&] {
    ToolExchangeState& state = ExchangeState();
    if (state.library == nullptr) return QUARNEL_EXCHANGE_DONE;
    const HostToolValues values{size, typeCode, name, x,  y,  z,  keyedCount,
                                a1,   a2,       a3,   a4, dieClearanceCount,
                                d1,   d2,       d3,   d4, valueA, valueB,
                                valueC, valueD};
    if (state.newLibrary != 0) {
      quarnel::toollib::ToolRecord tool;
      FillToolRecord(tool, values);
      state.library->Append(tool);
    } else if (IsToolIndex(*state.library, index)) {
      OverwriteTool(*state.library, index + 1, values);
    }
    return QUARNEL_EXCHANGE_DONE;
  });
}

// Saves the sequence's library to its path and drops it, even when the save
// fails (3). Without a library nothing is written and the answer is 0.
extern "C" QUARNEL_API int QUARNEL_CALL EndSendTool(void) {
  return GuardedExchange(QUARNEL_LIBRARY_NOT_SAVED, [] {
    ToolExchangeState& state = ExchangeState();
    if (state.library == nullptr) return QUARNEL_EXCHANGE_DONE;
    const quarnel::StatusCode saved = state.library->Save(state.libraryPath.c_str());
    ReleaseCurrentLibrary();
    return ExchangeResult(ExchangeStep::kSave, saved);
  });
}

// Overwrites the tools of the library at `libraryPath` from the host's list,
// item i for tool i, and saves it. Tools without an item (a shorter list, a
// null item, an element of another class, a null list) are saved unchanged; items beyond the tools are
// ignored. A failed save (3) leaves the library current for EndSendTool.
extern "C" QUARNEL_API int QUARNEL_CALL SendTools(CStringParameter passedPath, CObList* tools) {
  const CString libraryPath = TakePassedString(passedPath);
  return GuardedExchange(QUARNEL_LIBRARY_NOT_LOADED, [&] {
    const int status = OpenLibraryFile(libraryPath.GetString());
    if (status == QUARNEL_LIBRARY_NOT_LOADED) ReleaseCurrentLibrary();
    if (status != QUARNEL_EXCHANGE_DONE) return status;
    ToolExchangeState& state = ExchangeState();
    quarnel::toollib::ToolLibrary& library = *state.library;
    const auto count = static_cast<int32_t>(library.Count());
    ListWalk items(tools);
    for (int32_t position = 1; position <= count; ++position) {
      const ToolListItem* item = items.Next();
      if (item != nullptr) OverwriteTool(library, position, ValuesOfItem(*item));
    }
    const quarnel::StatusCode saved = library.Save(state.libraryPath.c_str());
    if (saved != quarnel::StatusCode::kOk) return ExchangeResult(ExchangeStep::kSave, saved);
    ReleaseCurrentLibrary();
    return QUARNEL_EXCHANGE_DONE;
  });
}
