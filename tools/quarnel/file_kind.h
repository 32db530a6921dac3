// Tells tool library files, station files and special-tool files apart by
// their content: it walks each layout over the file's bytes and sees which fits.
#pragma once

#include <string>

namespace quarnel::cli {

enum class FileKind { kUnknown, kToolLibrary, kSpecialTool, kStationFile };

struct FileIdentity {
  FileKind kind = FileKind::kUnknown;
  int version = 0;
  bool complete = false;  // every part of the layout is in the file
  std::string detail;     // what the layout holds, for people ("12 tools")
};

// The kind of file whose whole content is `bytes`. A file that fits no layout
// completely but is the beginning of one is reported as that kind, incomplete.
FileIdentity IdentifyFile(const std::string& bytes);

// Refuses a file that is plainly of another kind than `expected` (a file of
// unknown kind is left to the library to judge). Throws CliError.
void RequireFileKind(const std::string& path, FileKind expected);

// "tool library", "special-tool file", "station file" or "unknown file".
std::string FileKindName(FileKind kind);

}  // namespace quarnel::cli
