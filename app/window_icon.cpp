#include "app/window_icon.hpp"

#include <cstring>
#include <memory>
#include <span>

// The PNGs of share/icons, as arrays the build writes: the game reads no file at run time.
#include "window_icon_pngs.inc"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb_image.h>

namespace {

constexpr int kRgbaChannels = 4;

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_DestroySurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

struct PixelsDeleter {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// The picture of one PNG as a surface of its own, or none if it cannot be decoded.
SurfacePtr decodePng(std::span<const unsigned char> png)
{
    int width = 0;
    int height = 0;
    int channelsInFile = 0;
    const std::unique_ptr<stbi_uc, PixelsDeleter> pixels{stbi_load_from_memory(
        png.data(), static_cast<int>(png.size()), &width, &height, &channelsInFile, kRgbaChannels)};
    if (!pixels)
        return nullptr;
    // stb_image gives the bytes R, G, B, A in memory order, which is SDL's RGBA32 on any machine.
    SurfacePtr surface{SDL_CreateSurface(width, height, SDL_PIXELFORMAT_RGBA32)};
    if (!surface)
        return nullptr;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * kRgbaChannels;
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<unsigned char*>(surface->pixels) + y * surface->pitch,
                    pixels.get() + y * rowBytes, rowBytes);
    return surface;
}

}  // namespace

void setWindowIcon(SDL_Window* window)
{
    // The first PNG is the icon; the others are its other sizes, which SDL hands to the window
    // systems that take more than one (Wayland picks the one for the display's scale).
    SurfacePtr icon = decodePng(kIconPngs[0]);
    if (!icon)
        return;
    for (const std::span<const unsigned char> png : std::span(kIconPngs).subspan(1)) {
        // The icon keeps a reference of its own to each size it is given.
        if (const SurfacePtr size = decodePng(png))
            SDL_AddSurfaceAlternateImage(icon.get(), size.get());
    }
    SDL_SetWindowIcon(window, icon.get());
}
