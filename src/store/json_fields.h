// Reading a JSON file of ours defensively: every accessor checks the type
// and the range it needs and throws TBadField otherwise, so that a decoder
// reads as a list of fields and anything else in their place is one error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varlo::json_fields {

using TJson = nlohmann::ordered_json;

/// A field that is not what the file holds.
struct TBadField : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// Far beyond any name the game writes, far below what could hurt.
constexpr std::size_t MaxTextBytes = 4096;

[[noreturn]] void Bad(const std::string& what);
const TJson& Field(const TJson& object, const char* name);
std::int64_t Integer(const TJson& value, std::int64_t low, std::int64_t high, const char* what);
std::uint64_t Unsigned64(const TJson& value, const char* what);
bool Boolean(const TJson& value, const char* what);
/// A text of at most MaxTextBytes.
std::string Text(const TJson& value, const char* what);
const TJson& Array(const TJson& value, std::size_t low, std::size_t high, const char* what);
/// A contract by its id.
std::int32_t Contract(const TJson& value);

/// The parser keeps nesting on its own stack, but a value nested thousands
/// deep is none of ours and costs a recursion to free: it is turned away
/// before parsing.
bool NestedTooDeep(std::string_view text, int limit);

}  // namespace varlo::json_fields
