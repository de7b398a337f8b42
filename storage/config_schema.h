#pragma once
// The statements that give a new configuration database its tables and indexes, in the order
// they run, and the rows every profile starts with.
#include <array>

namespace qx {

const std::array<const char*, 9>& ConfigSchemaStatements();

constexpr int kFirstProfile = 1;
constexpr int kLastProfile = 5;

}  // namespace qx
