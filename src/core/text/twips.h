#pragma once
// Window geometry is stated in twips; Qt works in device-independent pixels, 15 twips each.

#include <QRect>
#include <cmath>

namespace twips {

constexpr int perPixel = 15;

constexpr int px(int twips)
{
    return (twips + perPixel / 2) / perPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace twips
