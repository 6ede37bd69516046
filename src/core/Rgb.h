#pragma once

// A colour of a picture as 0xAARRGGBB, fully opaque: the layout a picture's pixels take on
// screen (QRgb), for the logic that works colours out without a picture.

#include <QtGlobal>

using Rgb = quint32;

constexpr Rgb rgb(int red, int green, int blue)
{
    return 0xFF000000u | (quint32(red) & 0xFFu) << 16 | (quint32(green) & 0xFFu) << 8 | (quint32(blue) & 0xFFu);
}
