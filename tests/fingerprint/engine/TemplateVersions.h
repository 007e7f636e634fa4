#pragma once
// Template bytes of the earlier format, for tests of what stored data still reads.

#include <cstdint>
#include <vector>

// The bytes a version-1 template of the same contents had: no ridge directions.
// Empty when `templ` is not a template.
std::vector<std::uint8_t> asVersionOne(const std::vector<std::uint8_t>& templ);
