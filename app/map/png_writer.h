// A minimal PNG encoder: 8-bit RGB, no filter, the image data in stored (uncompressed) deflate
// blocks. Large but valid, and without a compression library. Platform-neutral.
#pragma once

#include <cstdint>
#include <string>

namespace mapwell {

// `rgb` holds `height` rows of `width` pixels, three bytes (red, green, blue) each, top row
// first. Returns the bytes of the PNG file.
std::string EncodePng(int width, int height, const std::uint8_t* rgb);

}  // namespace mapwell
