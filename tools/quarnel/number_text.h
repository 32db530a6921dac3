// Numbers as text: exact forms for files that are read back, short forms for people.
#pragma once

#include <string>

namespace quarnel::cli {

// The shortest text that reads back as the same float.
std::string ExactText(float value);

// The shortest text that reads back as the same double.
std::string ExactText(double value);

// The double nearest the float's shortest decimal text, so that JSON shows
// 0.1 for the float 0.1 and still reads back as the same float.
double DecimalValue(float value);

// A fixed-point text with at most `decimals` decimals, trailing zeros dropped.
std::string ShortText(double value, int decimals = 4);

// Parses a whole text as a float or an int; false when it is not one.
bool ParseFloat(const std::string& text, float& value);
bool ParseInt(const std::string& text, int& value);

}  // namespace quarnel::cli
