#include "host/special_tool_access.h"

#include <filesystem>
#include <memory>

#include "cli_error.h"
#include "file_io.h"
#include "host/library_access.h"
#include "partfile/part_drawing_writer.h"
#include "platform/paths.h"
#include "quarnel/quarnel.h"

namespace quarnel::cli {
namespace fs = std::filesystem;
namespace {

// Ends the special-tool sequence on every way out.
struct OpenSequence {
  ~OpenSequence() { CloseSpecialTool(); }
};

// The host's list owns nothing; this holds the objects it points to.
struct EntityObjects {
  std::vector<std::unique_ptr<GeomEntityObject>> objects;
  CObList list;
};

}  // namespace

SpecialToolOutline ReadSpecialToolOutline(const std::string& path) {
  RequireUsablePath(path);
  RequireReadableFile(path, "special-tool file");

  SpecialToolOutline outline;
  outline.path = path;
  SpecialToolInfo info{};
  info.path = outline.path.c_str();
  OpenSequence sequence;
  int32_t count = 0;
  const int32_t status = OpenSpecialTool(&info, &count);
  if (status != 0) throw LibraryFailure(path, SpecialToolStatusText(status), status);

  SpecialToolData& tool = outline.tool;
  tool.size = info.size;
  tool.infoValue = info.infoValue;
  for (int i = 0; i < 3; ++i) tool.dimensions[i] = info.dimensions[i];
  for (int i = 0; i < 4; ++i) tool.angles[i] = info.angles[i];
  for (int i = 0; i < 4; ++i) tool.dieClearances[i] = info.dieClearances[i];
  tool.valueC = info.valueC;
  tool.valueD = info.valueD;
  tool.side = info.side;

  outline.entities.reserve(count > 0 ? static_cast<size_t>(count) : 0);
  for (int32_t index = 0; index < count; ++index) {
    GeomEntityObject record;
    LoadGeometryAtIndex(index, &record);
    outline.entities.push_back(record.entity);
  }
  return outline;
}

std::string PartDrawingFilePath() { return platform::MapPath(partfile::kPartDrawingPath); }

std::string WritePartDrawing(const SpecialToolOutline& outline) {
  const std::string target = PartDrawingFilePath();
  std::error_code ignored;
  fs::create_directories(fs::path(target).parent_path(), ignored);

  EntityObjects entities;
  for (const GeomEntity& entity : outline.entities) {
    entities.objects.push_back(std::make_unique<GeomEntityObject>(entity));
    entities.list.AddTail(entities.objects.back().get());
  }
  CObList secondList;

  SpecialToolInfo info{};
  info.path = outline.path.c_str();
  info.size = outline.tool.size;
  info.infoValue = outline.tool.infoValue;
  for (int i = 0; i < 3; ++i) info.dimensions[i] = outline.tool.dimensions[i];
  for (int i = 0; i < 4; ++i) info.angles[i] = outline.tool.angles[i];
  for (int i = 0; i < 4; ++i) info.dieClearances[i] = outline.tool.dieClearances[i];
  info.valueC = outline.tool.valueC;
  info.valueD = outline.tool.valueD;
  info.side = outline.tool.side;
  info.entities = &entities.list;
  info.secondList = &secondList;

  const uint8_t written = ViewSpecialTool(&info);
  entities.list.RemoveAll();
  if (written != 1) {
    throw FileFailure(target,
                      "the part drawing file \"c:\\spt.prt\" could not be written "
                      "(ViewSpecialTool returned " + std::to_string(written) + ")");
  }
  return target;
}

}  // namespace quarnel::cli
