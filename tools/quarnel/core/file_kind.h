// Tells tool library files, station files and special-tool files apart by
// what the library itself can read. The evidence, in order: the kind the
// command asked for, then the file's extension, then a full structural parse
// with the library's own loaders, each tried in turn.
#pragma once

#include <string>

namespace quarnel::cli {

enum class FileKind { kUnknown, kToolLibrary, kSpecialTool, kStationFile };

struct FileIdentity {
  FileKind kind = FileKind::kUnknown;
  int version = 0;
  bool reads = false;         // the library's loader read the whole structure
  bool bytesAfter = false;    // the file goes on after the end of its structure
  std::string detail;         // what the file holds, for people ("12 tools")
  std::string problem;        // why it does not read, when it does not
  std::string evidence;       // how the kind was decided ("by its content")
};

// The kind of the regular file at `path` (the caller has checked that it is
// one). `asked` is the kind the command wants, kUnknown when it wants any.
// A file of the asked kind, or of its extension's kind, is that kind when its
// loader reads it; by content alone a file is of a kind only when the loader
// reads it and its structure reaches the file's end.
FileIdentity IdentifyFile(const std::string& path, FileKind asked = FileKind::kUnknown);

// Checks that `path` is a readable regular file of kind `expected`; a file of
// another kind is refused with its kind named. A file that is of no other
// kind is left to the command's own load, which says what went wrong.
// Throws CliError.
void RequireFileKind(const std::string& path, FileKind expected);

// "tool library", "special-tool file", "station file" or "unknown file".
std::string FileKindName(FileKind kind);

}  // namespace quarnel::cli
