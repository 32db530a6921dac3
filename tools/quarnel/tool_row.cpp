#include "tool_row.h"

namespace quarnel::cli {

std::string TypeLabel(int typeCode) {
  switch (typeCode) {
    case 109: return "CR";
    case 105: return "DD";
    case 106: return "OB";
    case 110: return "RC";
    case 3: return "RE";
    case 1: return "RO";
    case 104: return "SD";
    case 103: return "SQ";
    case 107: return "TR";
    case kSpecialToolType: return "SPEC";
    default: return "NULL";
  }
}

}  // namespace quarnel::cli
