#include <string>

#include "platform/paths.h"

namespace quarnel::platform {

std::string MapPath(std::string_view windows_path) { return std::string(windows_path); }

}  // namespace quarnel::platform
