// Decodes the result pictures compiled in from res/pictures/, and scales them for the
// device contexts.
#include "framework/wx/Pictures.h"

#include <wx/image.h>

#include <algorithm>
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

std::vector<std::uint32_t> MaskedPixels(const PixelImage& mask, const PixelImage& picture, int nWidth,
                                        int nHeight)
{
    const int nSourceWidth = picture.Width;
    const int nSourceHeight = picture.Height;
    const size_t nSourcePixels = static_cast<size_t>(std::max(nSourceWidth, 0)) *
                                 static_cast<size_t>(std::max(nSourceHeight, 0));
    if (nWidth <= 0 || nHeight <= 0 || nSourceWidth <= 0 || nSourceHeight <= 0 ||
        mask.Width != nSourceWidth || mask.Height != nSourceHeight || picture.Pixels.size() < nSourcePixels ||
        mask.Pixels.size() < nSourcePixels)
        return {};
    std::vector<std::uint32_t> pixels(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight));
    // The source column of each destination column, worked out once, not per pixel.
    std::vector<size_t> sourceColumns(static_cast<size_t>(nWidth));
    for (int x = 0; x < nWidth; ++x)
        sourceColumns[static_cast<size_t>(x)] = static_cast<size_t>((2LL * x + 1) * nSourceWidth / (2LL * nWidth));
    for (int y = 0; y < nHeight; ++y)
    {
        const long long nSourceY = (2LL * y + 1) * nSourceHeight / (2LL * nHeight);
        const size_t nRowStart = static_cast<size_t>(nSourceY * nSourceWidth);
        const std::uint32_t* pMaskRow = mask.Pixels.data() + nRowStart;
        const std::uint32_t* pPictureRow = picture.Pixels.data() + nRowStart;
        std::uint32_t* pRow = pixels.data() + static_cast<size_t>(y) * nWidth;
        for (int x = 0; x < nWidth; ++x)
        {
            const size_t nSourceX = sourceColumns[static_cast<size_t>(x)];
            const bool bOpaque = (pMaskRow[nSourceX] & 0xFFFFFF) == 0;
            pRow[x] = bOpaque ? 0xFF000000u | (pPictureRow[nSourceX] & 0xFFFFFF) : 0u;
        }
    }
    return pixels;
}
