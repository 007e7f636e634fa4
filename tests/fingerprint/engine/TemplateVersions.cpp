#include "TemplateVersions.h"

#include "TemplateFormat.h"

#include <algorithm>

std::vector<std::uint8_t> asVersionOne(const std::vector<std::uint8_t>& templ)
{
    fp::TemplateData data;
    if (!fp::decodeTemplate(templ, data))
        return {};
    data.directions.clear();
    std::vector<std::uint8_t> v1 = fp::encodeTemplate(data);
    const std::size_t directionBytes =
        (static_cast<std::size_t>(std::count(data.area.begin(), data.area.end(), 1)) + 1) / 2;
    v1.resize(v1.size() - 4 - directionBytes); // drop the directions and the checksum
    v1[4] = 1;
    const std::uint32_t crc = fp::crc32(v1);
    for (int i = 0; i < 4; ++i)
        v1.push_back(static_cast<std::uint8_t>((crc >> (8 * i)) & 0xff));
    return v1;
}
