// The entry-point sequences a host runs over each file format, with the
// properties that must hold after every one of them whatever the file holds.
// The fuzz targets, the replay of their findings and the truncation and
// byte-flip tests all feed their bytes through these same sequences.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarnel::reliability {

// Windows paths, inside the scratch drive C:, of the files the sequences use.
inline constexpr char kLibraryInput[] = "c:\\reliability\\input.tl";
inline constexpr char kSendCopy[] = "c:\\reliability\\send.tl";
inline constexpr char kMissingStations[] = "c:\\reliability\\missing.st";
inline constexpr char kStationLibrary[] = "c:\\reliability\\stations.tl";
inline constexpr char kStationInput[] = "c:\\reliability\\input.st";
inline constexpr char kSpecialToolInput[] = "c:\\reliability\\input.spt";

// Tools of the fixed station library.
inline constexpr int kStationLibraryTools = 5;

// What broke a property; empty when every property held.
using Findings = std::vector<std::string>;

// Writes `bytes` to the Windows path `path` (folders created as needed).
void WriteWindowsFile(const std::string& path, std::string_view bytes);
std::string ReadWindowsFile(const std::string& path);
bool WindowsFileExists(const std::string& path);

// Writes the files the sequences read besides their input: the station
// library and two special-tool files that legacy libraries name. Drive C:
// must already point into a scratch folder.
void PrepareFixtures();

// The tool library sequence: StartReceiveTool without a station file, every
// ReceiveTool, EndReceiveTool; ReceiveTools; then StartSendTool, SendTool and
// EndSendTool over a copy of the file, reloading what was saved.
Findings RunLibraryInput(std::string_view bytes);

// Only the receiving half of the library sequence, for the byte sweeps.
Findings RunLibraryReceive(std::string_view bytes);

// The station file sequence against the fixed station library.
Findings RunStationInput(std::string_view bytes);

// The special-tool sequence: OpenSpecialTool, every LoadGeometryAtIndex,
// CloseSpecialTool; LoadSpecialTool, every GetGeometryAt and
// GetGeometryValuesAt; and ViewSpecialTool of a small outline.
Findings RunSpecialToolInput(std::string_view bytes);

// The special-tool sequence without the part drawing, for the byte sweeps.
Findings RunSpecialToolOutline(std::string_view bytes);

// The profile: the bytes as the profile file through GetProfileText and the
// special-tool folder, and as INI text through FindIniValue.
Findings RunProfileInput(std::string_view bytes);

// The sequence for the fuzz target named `target` ("library", "station",
// "special_tool", "profile"); a finding for an unknown name.
Findings RunTargetInput(std::string_view target, std::string_view bytes);

}  // namespace quarnel::reliability
