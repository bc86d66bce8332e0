#include "app/WidthScale.h"

#include <algorithm>
#include <limits>

namespace velmora::app {

std::int32_t WidthScale::Scale(std::int32_t v) const
{
    const std::int64_t scaled = static_cast<std::int64_t>(v) * width_ / kReferenceWidth;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::int32_t WidthScale::ScaleDown(std::int32_t v) const
{
    return width_ > kReferenceWidth ? v : Scale(v);
}

float WidthScale::ItemScale() const
{
    const float scale = static_cast<float>(static_cast<double>(Scale(100000)) * 0.00001);
    return std::min(scale, 1.0f);
}

}  // namespace velmora::app
