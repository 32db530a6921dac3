// Every reader against its rich sample files cut at every byte and with every
// byte changed: each answer is a documented one, the library state follows the
// partial-read rules, and (under the sanitizers) nothing crashes or leaks.
#include <bit>
#include <cstring>

#include "quarnel/quarnel.h"
#include "reliability/tests/reliability_fixture.h"
#include "reliability/tests/sample_files.h"

namespace quarnel::reliability {
namespace {

// The byte changes tried at every offset (each xor-ed into the byte).
constexpr unsigned char kFlips[] = {0xFF, 0x01, 0x80};

// Every version is cut at every byte and has every byte inverted through
// the reading entry points; the version the library writes also goes through
// every byte change and the whole sequence (saves and drawings included).
bool FullSweep(int version) { return version == 92; }

std::string Flipped(const std::string& bytes, size_t at, unsigned char mask) {
  std::string changed = bytes;
  changed[at] = static_cast<char>(static_cast<unsigned char>(changed[at]) ^ mask);
  return changed;
}

// Runs `bytes` with every byte changed through `full` (the version the
// library writes, every change) or `quick` (other versions, inverted bytes
// only): every run must end in a documented state.
void ExpectEveryFlipDocumented(int version, const std::string& bytes,
                               Findings (*full)(std::string_view), Findings (*quick)(std::string_view)) {
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (unsigned char mask : kFlips) {
      if (mask != kFlips[0] && !FullSweep(version)) continue;
      const std::string changed = Flipped(bytes, at, mask);
      const Findings findings = FullSweep(version) ? full(changed) : quick(changed);
      ASSERT_TRUE(findings.empty()) << "version " << version << " byte " << at << " ^ " << int{mask}
                                    << Describe(findings);
    }
  }
}

// How many tools ReceiveTool delivers from the sequence StartReceiveTool left.
int ReceivableTools() {
  int count = 0;
  while (true) {
    char name[256];
    name[0] = 'Z';
    ReceiveTool(count, nullptr, nullptr, name, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr);
    if (name[0] == 'Z') return count;
    ++count;
  }
}

// Tools a library cut after `cut` bytes still holds: a current layout keeps
// the whole records read before the cut, a legacy file keeps nothing.
int ToolsLeftAfterCut(const LibrarySample& sample, size_t cut) {
  if (cut == sample.bytes.size()) return static_cast<int>(sample.toolEnds.size());
  if (sample.legacy) return 0;
  // The reader does not check the read of valueC and valueD, the last
  // fields of a record from version 60: a record cut there still counts.
  const size_t unchecked_tail = sample.version >= 60 ? 8 : 0;
  int whole = 0;
  for (size_t end : sample.toolEnds) whole += end - unchecked_tail <= cut ? 1 : 0;
  return whole;
}

// The stations ReceiveTool reports for each tool of the station library.
std::vector<std::pair<int, int>> StationsOfTools() {
  std::vector<std::pair<int, int>> stations;
  for (int i = 0; i < kStationLibraryTools; ++i) {
    int second = -1, first = -1;
    ReceiveTool(i, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, &second, &first);
    stations.emplace_back(second, first);
  }
  return stations;
}

using CutLibraryFile = ReliabilityTest;

TEST_F(CutLibraryFile, KeepsTheWholeToolsReadBeforeTheCutOfEveryVersion) {
  SKIP_SWEEP_ON_WINDOWS();
  for (int version : LibraryVersions()) {
    const LibrarySample sample = RichLibrary(version);
    for (size_t cut = 0; cut <= sample.bytes.size(); ++cut) {
      const std::string bytes = sample.bytes.substr(0, cut);
      const Findings findings = FullSweep(version) ? RunLibraryInput(bytes) : RunLibraryReceive(bytes);
      ASSERT_TRUE(findings.empty()) << "version " << version << " cut at " << cut << Describe(findings);
      WriteWindowsFile(kLibraryInput, bytes);
      int count = -1;
      const int status = StartReceiveTool(kLibraryInput, kMissingStations, &count);
      ASSERT_EQ(ReceivableTools(), ToolsLeftAfterCut(sample, cut)) << "version " << version << " cut at " << cut;
      // A complete file loads (the station file is missing: 2), a cut one never does.
      ASSERT_EQ(count != -1, cut == sample.bytes.size()) << "version " << version << " cut at " << cut;
      ASSERT_EQ(status, 2);
      EndReceiveTool();
    }
  }
}

TEST_F(CutLibraryFile, EveryChangedByteOfEveryVersionEndsInADocumentedState) {
  SKIP_SWEEP_ON_WINDOWS();
  for (int version : LibraryVersions()) {
    ExpectEveryFlipDocumented(version, RichLibrary(version).bytes, RunLibraryInput, RunLibraryReceive);
  }
}

using CutSpecialToolFile = ReliabilityTest;

TEST_F(CutSpecialToolFile, FillsTheHostRecordOnlyOnceTheToolDataWereRead) {
  SKIP_SWEEP_ON_WINDOWS();
  for (int version : SpecialToolVersions()) {
    const SpecialToolSample sample = RichSpecialTool(version);
    int32_t previous_count = 0;
    for (size_t cut = 0; cut <= sample.bytes.size(); ++cut) {
      const std::string bytes = sample.bytes.substr(0, cut);
      const Findings findings = FullSweep(version) ? RunSpecialToolInput(bytes) : RunSpecialToolOutline(bytes);
      ASSERT_TRUE(findings.empty()) << "version " << version << " cut at " << cut << Describe(findings);

      SpecialToolInfo info;
      std::memset(&info, 0xEE, sizeof info);
      info.path = kSpecialToolInput;
      int32_t count = -1;
      const int32_t status = OpenSpecialTool(&info, &count);
      CloseSpecialTool();
      const bool whole = cut == sample.bytes.size();
      const bool filled = info.size != std::bit_cast<float>(0xEEEEEEEEu);
      ASSERT_EQ(filled, cut >= sample.infoEnd) << "version " << version << " cut at " << cut;
      if (version == 7) {
        // Version 7 reads what there is: the entities before the cut stay.
        ASSERT_EQ(status, cut < 2 ? 4 : 0) << "cut at " << cut;
        ASSERT_GE(count, previous_count) << "cut at " << cut;
        previous_count = count;
      } else {
        ASSERT_EQ(status, whole ? 0 : 4) << "version " << version << " cut at " << cut;
        ASSERT_EQ(count == 0, !whole) << "version " << version << " cut at " << cut;
      }
    }
  }
}

TEST_F(CutSpecialToolFile, EveryChangedByteOfEveryVersionEndsInADocumentedState) {
  SKIP_SWEEP_ON_WINDOWS();
  for (int version : SpecialToolVersions()) {
    ExpectEveryFlipDocumented(version, RichSpecialTool(version).bytes, RunSpecialToolInput,
                              RunSpecialToolOutline);
  }
}

using CutStationFile = ReliabilityTest;

TEST_F(CutStationFile, FindsAtMostTheStationsOfTheWholeFile) {
  SKIP_SWEEP_ON_WINDOWS();
  const std::string bytes = RichStationFile();
  ASSERT_TRUE(RunStationInput(bytes).empty());
  int count = 0;
  ASSERT_EQ(StartReceiveTool(kStationLibrary, kStationInput, &count), 0);
  const auto whole = StationsOfTools();
  EndReceiveTool();

  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    const std::string prefix = bytes.substr(0, cut);
    const Findings findings = RunStationInput(prefix);
    ASSERT_TRUE(findings.empty()) << "cut at " << cut << Describe(findings);
    ASSERT_EQ(StartReceiveTool(kStationLibrary, kStationInput, &count), 0);
    const auto partial = StationsOfTools();
    EndReceiveTool();
    for (size_t tool = 0; tool < whole.size(); ++tool) {
      ASSERT_TRUE(partial[tool].first == 0 || partial[tool].first == whole[tool].first) << "cut at " << cut;
      ASSERT_TRUE(partial[tool].second == 0 || partial[tool].second == whole[tool].second) << "cut at " << cut;
    }
  }
}

TEST_F(CutStationFile, EveryChangedByteEndsInADocumentedState) {
  SKIP_SWEEP_ON_WINDOWS();
  const std::string bytes = RichStationFile();
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (unsigned char mask : kFlips) {
      const Findings findings = RunStationInput(Flipped(bytes, at, mask));
      ASSERT_TRUE(findings.empty()) << "byte " << at << " ^ " << int{mask} << Describe(findings);
    }
  }
}

}  // namespace
}  // namespace quarnel::reliability
