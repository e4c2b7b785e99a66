// Decodes the result pictures compiled in from res/pictures/; the drawing is CairoDC's.
#include "framework/wx/Pictures.h"

#include <wx/image.h>

#include <array>
#include <mutex>

#include "res/pictures/face_mask.xpm"
#include "res/pictures/happy_face.xpm"
#include "res/pictures/happy_rabbit.xpm"
#include "res/pictures/happy_rabbit_mask.xpm"
#include "res/pictures/sad_face.xpm"
#include "res/pictures/sad_rabbit.xpm"
#include "res/pictures/sad_rabbit_mask.xpm"

namespace
{
const char* const* XpmOf(Picture picture)
{
    switch (picture)
    {
    case Picture::HappyRabbit: return happy_rabbit_xpm;
    case Picture::HappyRabbitMask: return happy_rabbit_mask_xpm;
    case Picture::SadRabbit: return sad_rabbit_xpm;
    case Picture::SadRabbitMask: return sad_rabbit_mask_xpm;
    case Picture::HappyFace: return happy_face_xpm;
    case Picture::SadFace: return sad_face_xpm;
    case Picture::FaceMask: return face_mask_xpm;
    }
    return nullptr;
}

PixelImage Decode(const char* const* xpm)
{
    PixelImage image;
    wxImage decoded(xpm);
    if (!decoded.IsOk())
        return image;
    image.Width = decoded.GetWidth();
    image.Height = decoded.GetHeight();
    image.Pixels.resize(static_cast<size_t>(image.Width) * image.Height);
    const unsigned char* pRgb = decoded.GetData();
    for (std::uint32_t& pixel : image.Pixels)
    {
        pixel = std::uint32_t(pRgb[0]) << 16 | std::uint32_t(pRgb[1]) << 8 | pRgb[2];
        pRgb += 3;
    }
    return image;
}
} // namespace

PixelImage LoadPicture(Picture picture)
{
    static std::mutex mutex;
    static std::array<PixelImage, 7> cache;
    const size_t nIndex = static_cast<size_t>(picture);
    const char* const* xpm = XpmOf(picture);
    if (nIndex >= cache.size() || !xpm)
        return {};
    std::lock_guard<std::mutex> lock(mutex);
    if (cache[nIndex].Pixels.empty())
        cache[nIndex] = Decode(xpm);
    return cache[nIndex];
}
