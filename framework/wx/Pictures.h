// The result pictures, decoded from the XPM files under res/pictures/.
#pragma once

#include "framework/wx/CairoDC.h"

// 48 x 48 pixels, 0x00RRGGBB. Each picture is decoded on first use and kept for the
// life of the process; needs no display.
PixelImage LoadPicture(Picture picture);
