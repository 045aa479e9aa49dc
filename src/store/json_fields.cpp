#include "json_fields.h"

#include <climits>

#include "contracts.h"

namespace varlo::json_fields {

void Bad(const std::string& what) { throw TBadField(what); }

const TJson& Field(const TJson& object, const char* name) {
  if (!object.is_object()) Bad(std::string("not an object around \"") + name + "\"");
  const auto it = object.find(name);
  if (it == object.end()) Bad(std::string("no \"") + name + "\"");
  return *it;
}

std::int64_t Integer(const TJson& value, std::int64_t low, std::int64_t high, const char* what) {
  if (!value.is_number_integer()) Bad(std::string(what) + " is not a whole number");
  const std::int64_t n = value.is_number_unsigned() && value.get<std::uint64_t>() > INT64_MAX
                             ? high + 1
                             : value.get<std::int64_t>();
  if (n < low || n > high) Bad(std::string(what) + " out of range");
  return n;
}

std::uint64_t Unsigned64(const TJson& value, const char* what) {
  if (!value.is_number_unsigned()) Bad(std::string(what) + " is not a 64-bit number");
  return value.get<std::uint64_t>();
}

bool Boolean(const TJson& value, const char* what) {
  if (!value.is_boolean()) Bad(std::string(what) + " is not true or false");
  return value.get<bool>();
}

std::string Text(const TJson& value, const char* what) {
  if (!value.is_string()) Bad(std::string(what) + " is not a text");
  std::string text = value.get<std::string>();
  if (text.size() > MaxTextBytes) Bad(std::string(what) + " is too long");
  return text;
}

const TJson& Array(const TJson& value, std::size_t low, std::size_t high, const char* what) {
  if (!value.is_array() || value.size() < low || value.size() > high)
    Bad(std::string(what) + " is not a list of the right length");
  return value;
}

std::int32_t Contract(const TJson& value) {
  const std::int32_t c = ContractOfId(Text(value, "a contract"));
  if (c < 0) Bad("an unknown contract");
  return c;
}

bool NestedTooDeep(std::string_view text, int limit) {
  int depth = 0;
  bool inString = false, escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped) escaped = false;
      else if (c == '\\') escaped = true;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

}  // namespace varlo::json_fields
