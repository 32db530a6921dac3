#include "input/create_special.h"

#include "cli_error.h"
#include "spectool/special_tool_writer.h"

namespace quarnel::cli {

MadeSummary WriteMadeSpecialTool(const std::string& input, const std::string& output, const MadeSpecialTool& made) {
  const SpecialToolSettings& settings = made.settings;
  const double diameter = settings.size ? 0.0 : BoundingCircleDiameter(made.outline.entities);
  spectool::SpecialToolContent content;
  content.tool = ToolRecordOf(settings, diameter);
  content.side = settings.side;
  content.infoValue = settings.infoValue.value_or(content.tool.size);
  content.entities = made.outline.entities;

  const spectool::SpecialToolWriteResult result = spectool::WriteSpecialTool(output, content);
  switch (result.status) {
    case spectool::SpecialToolWriteStatus::kWritten:
      break;
    case spectool::SpecialToolWriteStatus::kUnstorableEntity:
      throw FileFailure(input, "entity " + std::to_string(result.entityIndex + 1) + " (type " +
                                   std::to_string(made.outline.entities[result.entityIndex].type) +
                                   ") cannot be stored: " + result.reason + "; nothing was written");
    case spectool::SpecialToolWriteStatus::kCannotOpen:
      throw FileFailure(output, "cannot be created; nothing was written");
    case spectool::SpecialToolWriteStatus::kWriteFailed:
      throw FileFailure(output, "could not be written completely; nothing was written");
  }
  return {content.tool.size, !settings.size.has_value()};
}

}  // namespace quarnel::cli
