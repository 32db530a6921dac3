#include "spectool/geom_types.h"

namespace quarnel::spectool {
namespace {

struct TypeInfo {
  const char* name;
  int param_count;
  GeomKind kind;
};

constexpr TypeInfo kTypes[] = {
    {"NULL", 0, GeomKind::kNone},
    {"ROUND HOLE", 1, GeomKind::kSingle},
    {"RADIUSED SLOT", 4, GeomKind::kSingle},
    {"RECTANGULAR HOLE", 3, GeomKind::kSingle},
    {"LINE", 4, GeomKind::kSingle},
    {"ARC", 5, GeomKind::kSingle},
    {"OBROUND SLOT", 3, GeomKind::kSingle},
    {"GROUP", 9, GeomKind::kGroup},
    {"CORNER NOTCH", 7, GeomKind::kSingle},
    {"V NOTCH", 5, GeomKind::kSingle},
    {"PATTERN LINE", 3, GeomKind::kPattern},
    {"PATTERN GRID", 5, GeomKind::kPattern},
    {"PATTERN CIRCLE", 3, GeomKind::kPattern},
    {"PATTERN ARC", 4, GeomKind::kPattern},
    {"CENTER RECTANGLE", 3, GeomKind::kSingle},
    {"SINGLE D", 3, GeomKind::kSingle},
    {"DOUBLE D", 3, GeomKind::kSingle},
    {"POINT", 0, GeomKind::kSingle},
    {"RETREAT LINE", 4, GeomKind::kNone},
    {"RETREAT ARC", 5, GeomKind::kNone},
    {"ROUNDED CORNER RECTANGLE", 4, GeomKind::kSingle},
    {"TRIANGLE", 3, GeomKind::kSingle},
};
constexpr int kNamedTypes = sizeof kTypes / sizeof kTypes[0];
// Code 23 has a parameter count and is a single shape, but no name.
constexpr int kUnnamedSingle = 23;
constexpr int kUnnamedSingleParams = 4;

}  // namespace

GeomKind Kind(int type) {
  if (type >= 0 && type < kNamedTypes) return kTypes[type].kind;
  return type == kUnnamedSingle ? GeomKind::kSingle : GeomKind::kNone;
}

int ParamCount(int type) {
  if (type >= 0 && type < kNamedTypes) return kTypes[type].param_count;
  return type == kUnnamedSingle ? kUnnamedSingleParams : -1;
}

const char* TypeName(int type) {
  return type >= 0 && type < kNamedTypes ? kTypes[type].name : nullptr;
}

}  // namespace quarnel::spectool
