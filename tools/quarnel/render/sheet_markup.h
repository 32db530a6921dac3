// Text inside HTML and SVG markup: escaped, so that names and paths from files
// can never open an element or end an attribute.
#pragma once

#include <string>

namespace quarnel::cli {

// `text` with &, <, > and both quotes replaced by character references.
std::string Markup(const std::string& text);

}  // namespace quarnel::cli
