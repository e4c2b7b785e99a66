// The result pictures, decoded from the XPM files under res/pictures/.
#pragma once

#include "framework/wx/CairoDC.h"

// 48 x 48 pixels, 0x00RRGGBB. Each picture is decoded on first use and kept for the
// life of the process; needs no display.
PixelImage LoadPicture(Picture picture);

// The picture scaled to nWidth x nHeight, as premultiplied 0xAARRGGBB rows: opaque
// exactly where the mask is black, transparent elsewhere. Scaled by nearest neighbour,
// sampling each pixel's centre, so the result does not depend on a rasteriser's filters.
// Empty when the two do not fit together.
std::vector<std::uint32_t> MaskedPixels(const PixelImage& mask, const PixelImage& picture, int nWidth,
                                        int nHeight);
