#include "core/file_kind.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>

#include "cli_error.h"
#include "exports/export_status.h"
#include "file_io.h"
#include "platform/binary_reader.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "quarnel/special_tool_info.h"
#include "spectool/geom_item.h"
#include "spectool/special_tool_reader.h"
#include "stations/station_file.h"
#include "stations/station_table.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

// This file works with the library's core linked into the command, not with
// the shared library that the other commands call: the core has its own file
// system seam, current library and message handler, and nothing read here is
// handed to the shared library.
namespace quarnel::cli {
namespace {

using platform::File;
using platform::FileSystem;

// What one load of a file gave; two loads of the same kind compare equal when
// they read the same structure.
struct Outcome {
  bool reads = false;
  StatusCode status = StatusCode::kOk;
  uint32_t first = 0;   // tools, entities or first-table stations
  uint32_t second = 0;  // second-table stations
  bool operator==(const Outcome&) const = default;
};

// A file seen only up to `limit` bytes: reads stop there as at the file's end.
class PrefixFile : public File {
 public:
  PrefixFile(std::unique_ptr<File> inner, int64_t limit) : inner_(std::move(inner)), limit_(limit) {}
  size_t Read(void* data, size_t size) override {
    const int64_t left = std::max<int64_t>(limit_ - position_, 0);
    const size_t allowed = std::min(size, static_cast<size_t>(left));
    const size_t read = allowed > 0 ? inner_->Read(data, allowed) : 0;
    position_ += static_cast<int64_t>(read);
    return read;
  }
  size_t Write(const void*, size_t) override { return 0; }
  bool SeekFromCurrent(int64_t offset) override {
    if (!inner_->SeekFromCurrent(offset)) return false;
    position_ += offset;
    return true;
  }
  bool SeekTo(int64_t offset) override {
    if (!inner_->SeekTo(offset)) return false;
    position_ = offset;
    return true;
  }
  bool Flush() override { return false; }
  bool Close() override { return inner_->Close(); }

 private:
  std::unique_ptr<File> inner_;
  int64_t limit_;
  int64_t position_ = 0;
};

// The real file system, except that `path` ends after `limit` bytes.
class PrefixFileSystem : public FileSystem {
 public:
  PrefixFileSystem(std::string path, int64_t limit) : path_(std::move(path)), limit_(limit) {}
  std::unique_ptr<File> Open(const std::string& path, platform::OpenMode mode) override {
    std::unique_ptr<File> file = platform::RealFileSystem().Open(path, mode);
    if (file == nullptr || path != path_ || mode != platform::OpenMode::kRead) return file;
    return std::make_unique<PrefixFile>(std::move(file), limit_);
  }
  bool Exists(const std::string& path) override { return platform::RealFileSystem().Exists(path); }
  bool Replace(const std::string&, const std::string&) override { return false; }
  bool FlushFolderOf(const std::string&) override { return false; }
  bool Remove(const std::string&) override { return false; }

 private:
  std::string path_;
  int64_t limit_;
};

// For one load: the file seen up to a limit (when given), and the message box
// that a legacy library's special tools raise kept quiet.
class LoadScope {
 public:
  LoadScope(const std::string& path, std::optional<int64_t> limit)
      : prefix_(path, limit.value_or(0)),
        previousFiles_(limit ? platform::SetFileSystem(&prefix_) : nullptr),
        previousHandler_(platform::SetMessageHandler([](const char*) {})),
        limited_(limit.has_value()) {}
  ~LoadScope() {
    if (limited_) platform::SetFileSystem(previousFiles_);
    platform::SetMessageHandler(previousHandler_);
  }
  LoadScope(const LoadScope&) = delete;
  LoadScope& operator=(const LoadScope&) = delete;

 private:
  PrefixFileSystem prefix_;
  FileSystem* previousFiles_;
  platform::MessageHandler previousHandler_;
  bool limited_;
};

Outcome LoadLibrary(const std::string& path) {
  toollib::ToolLibrary library;
  toollib::SpecialToolFolderBuffer folder;
  const StatusCode status = library.Load(path.c_str(), folder);
  return {status == StatusCode::kOk, status, library.Count(), 0};
}

// Marks the side field so that a read that never reached the tool data shows.
constexpr uint8_t kSideNotWritten = 0xEE;

Outcome LoadSpecialTool(const std::string& path) {
  SpecialToolInfo info{};
  info.path = path.c_str();
  info.side = kSideNotWritten;
  spectool::GeomItemList items;
  toollib::SpecialToolFolderBuffer folder;
  const StatusCode status = spectool::ReadSpecialTool(&info, items, {nullptr, folder});
  const bool toolData = info.side != kSideNotWritten;
  return {status == StatusCode::kOk && toolData, status, items.Count(), 0};
}

Outcome LoadStations(const std::string& path) {
  const std::unique_ptr<File> file = platform::Files().Open(path, platform::OpenMode::kRead);
  if (file == nullptr) return {};
  platform::BinaryReader in(*file);
  stations::StationTable first(0);
  stations::StationTable second(1);
  int32_t separator = 0;
  toollib::SpecialToolFolderBuffer folder;
  const toollib::SpecialToolLinks unlinked{nullptr, folder};
  const bool reads = in.SeekTo(stations::kStationTablesOffset) &&
                     first.LoadStations(in, stations::kStationFileVersion, unlinked) == 1 &&
                     in.ReadI32(separator) &&
                     second.LoadStations(in, stations::kStationFileVersion, unlinked) == 1;
  return {reads, StatusCode::kOk, first.Count(), second.Count()};
}

Outcome Load(FileKind kind, const std::string& path, std::optional<int64_t> limit = std::nullopt) {
  const LoadScope scope(path, limit);
  switch (kind) {
    case FileKind::kToolLibrary: return LoadLibrary(path);
    case FileKind::kSpecialTool: return LoadSpecialTool(path);
    case FileKind::kStationFile: return LoadStations(path);
    case FileKind::kUnknown: break;
  }
  return {};
}

int64_t FileSize(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? static_cast<int64_t>(status.st_size) : 0;
}

// True when the structure that `whole` read needs the file's last bytes: the
// same load of the file without them reads something else. A station file's
// last eight bytes are values whose short read the loader does not notice, so
// there the last nine are taken away.
bool EndsAtFileEnd(FileKind kind, const std::string& path, const Outcome& whole) {
  const int64_t cut = kind == FileKind::kStationFile ? 9 : 1;
  return !(Load(kind, path, std::max<int64_t>(FileSize(path) - cut, 0)) == whole);
}

int StoredVersion(const std::string& path) {
  const std::unique_ptr<File> file = platform::RealFileSystem().Open(path, platform::OpenMode::kRead);
  if (file == nullptr) return 0;
  platform::BinaryReader in(*file);
  int16_t version = 0;
  return in.ReadI16(version) ? version : 0;
}

std::string Plural(uint32_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string Problem(FileKind kind, const Outcome& outcome, int version) {
  switch (kind) {
    case FileKind::kToolLibrary:
      if (outcome.status == StatusCode::kFileCannotOpen) return "it cannot be opened";
      if (outcome.status == StatusCode::kFileUnknownVersion) {
        return "its version " + std::to_string(version) + " is not one the library reads";
      }
      return "it ends early or holds a record that cannot be read";
    case FileKind::kSpecialTool:
      if (outcome.status == StatusCode::kOk) return "it ends inside its tool data";
      return SpecialToolStatusText(exports::SpecialToolResult(outcome.status));
    case FileKind::kStationFile: return "its station tables end early or cannot be read";
    case FileKind::kUnknown: break;
  }
  return "";
}

FileIdentity Identity(FileKind kind, const std::string& path, const Outcome& outcome) {
  FileIdentity identity;
  identity.kind = kind;
  identity.reads = outcome.reads;
  identity.version = kind == FileKind::kStationFile ? stations::kStationFileVersion : StoredVersion(path);
  if (!outcome.reads) {
    identity.problem = Problem(kind, outcome, identity.version);
    return identity;
  }
  switch (kind) {
    case FileKind::kToolLibrary: identity.detail = Plural(outcome.first, "tool", "tools"); break;
    case FileKind::kSpecialTool:
      identity.detail = Plural(outcome.first, "entity", "entities") + " stored";
      break;
    case FileKind::kStationFile:
      identity.detail = "tables of " + std::to_string(outcome.first) + " and " +
                        Plural(outcome.second, "station", "stations");
      break;
    case FileKind::kUnknown: break;
  }
  return identity;
}

FileKind KindOfExtension(const std::string& path) {
  const size_t dot = path.find_last_of("./");
  if (dot == std::string::npos || path[dot] != '.') return FileKind::kUnknown;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "lib") return FileKind::kToolLibrary;
  if (extension == "spt") return FileKind::kSpecialTool;
  if (extension == "sta") return FileKind::kStationFile;
  return FileKind::kUnknown;
}

}  // namespace

FileIdentity IdentifyFile(const std::string& path, FileKind asked) {
  const FileKind claimed = asked != FileKind::kUnknown ? asked : KindOfExtension(path);
  const std::string claimedEvidence = asked != FileKind::kUnknown ? "as the command asked" : "by its extension";
  Outcome claimedOutcome;
  bool claimedReachesEnd = false;
  if (claimed != FileKind::kUnknown) {
    claimedOutcome = Load(claimed, path);
    claimedReachesEnd = claimedOutcome.reads && EndsAtFileEnd(claimed, path, claimedOutcome);
  }
  // The claimed kind is taken when its loader reads the whole file; a file
  // that it reads only in part is of another kind when that kind reads all
  // of it (a library read as a special tool stops long before its end).
  if (claimed == FileKind::kUnknown || !claimedReachesEnd) {
    for (FileKind kind : {FileKind::kToolLibrary, FileKind::kSpecialTool, FileKind::kStationFile}) {
      if (kind == claimed) continue;
      const Outcome outcome = Load(kind, path);
      if (outcome.reads && EndsAtFileEnd(kind, path, outcome)) {
        FileIdentity identity = Identity(kind, path, outcome);
        identity.evidence = "by its content";
        return identity;
      }
    }
  }
  if (claimed == FileKind::kUnknown) return {};
  FileIdentity identity = Identity(claimed, path, claimedOutcome);
  identity.bytesAfter = claimedOutcome.reads && !claimedReachesEnd;
  identity.evidence = claimedEvidence;
  return identity;
}

void RequireFileKind(const std::string& path, FileKind expected) {
  RequireReadableFile(path, expected == FileKind::kToolLibrary ? "tool library file" : FileKindName(expected));
  const FileIdentity identity = IdentifyFile(path, expected);
  if (CurrentVerbosity() == Verbosity::kVerbose) {
    std::cerr << "quarnel: " << path << ": " << FileKindName(identity.kind) << " "
              << identity.evidence << (identity.reads ? "" : ", does not read: " + identity.problem)
              << "\n";
  }
  if (identity.kind != expected) {
    throw FileFailure(path, "this is a " + FileKindName(identity.kind) + ", not a " +
                                FileKindName(expected));
  }
  // The tool library and special-tool commands load the file themselves and
  // report the library's own status. A station file is read only alongside a
  // library, which would otherwise show its stations as absent; and since its
  // loader skips a leading area and reads only what it needs, a file whose
  // tables end before the file does is not taken for one.
  if (expected == FileKind::kStationFile && (!identity.reads || identity.bytesAfter)) {
    throw FileFailure(path, "does not read as a station file: " +
                                (identity.reads ? "the file goes on after its second table" : identity.problem));
  }
  if (identity.bytesAfter) {
    Warn(path + ": the file goes on after the end of its " + FileKindName(expected) + " data");
  }
}

std::string FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::kToolLibrary: return "tool library";
    case FileKind::kSpecialTool: return "special-tool file";
    case FileKind::kStationFile: return "station file";
    case FileKind::kUnknown: break;
  }
  return "unknown file";
}

}  // namespace quarnel::cli
