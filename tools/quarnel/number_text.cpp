#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quarnel::cli {
namespace {

template <typename T>
std::string Shortest(T value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

std::string ExactText(float value) { return Shortest(value); }
std::string ExactText(double value) { return Shortest(value); }

double DecimalValue(float value) {
  if (!std::isfinite(value)) return value;
  return std::strtod(ExactText(value).c_str(), nullptr);
}

std::string ShortText(double value, int decimals) {
  if (!std::isfinite(value)) return Shortest(value);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = Trimmed(buffer);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

bool ParseFloat(const std::string& text, float& value) {
  if (text.empty()) return false;
  // strtof accepts what people type (a leading '+', "1e3") and what the
  // listing writes for values that are not finite ("nan", "-inf").
  char* end = nullptr;
  const float parsed = std::strtof(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return false;
  value = parsed;
  return true;
}

bool ParseInt(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto result = std::from_chars(first, last, value);
  return first != last && result.ec == std::errc() && result.ptr == last;
}

}  // namespace quarnel::cli
