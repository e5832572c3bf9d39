// The PNG encoder's output as an independent decoder reads it: zlib checks the stream and its
// Adler-32, the chunks' CRCs are checked against zlib's, and the pixels must come back as given.
#include "app/map/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

namespace mapwell {
namespace {

std::uint32_t Big32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(at + i));
    }
    return value;
}

TEST(PngWriter, AnIndependentDecoderReadsThePixels) {
    // Wide enough that the image data needs more than one stored block.
    constexpr int kWidth = 301, kHeight = 97;
    std::vector<std::uint8_t> rgb(kWidth * kHeight * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 911);
    }
    const std::string png = EncodePng(kWidth, kHeight, rgb.data());
    ASSERT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");

    std::string header, data;
    bool ended = false;
    for (std::size_t at = 8; at < png.size() && !ended;) {
        const std::uint32_t length = Big32(png, at);
        const std::string type = png.substr(at + 4, 4);
        const std::string body = png.substr(at + 8, length);
        const auto* typeAndBody = reinterpret_cast<const Bytef*>(png.data() + at + 4);
        EXPECT_EQ(crc32(0, typeAndBody, length + 4), Big32(png, at + 8 + length)) << type;
        (type == "IHDR" ? header : data) += type == "IDAT" || type == "IHDR" ? body : "";
        ended = type == "IEND";
        at += 12 + length;
    }
    EXPECT_TRUE(ended);
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(Big32(header, 0), static_cast<std::uint32_t>(kWidth));
    EXPECT_EQ(Big32(header, 4), static_cast<std::uint32_t>(kHeight));
    EXPECT_EQ(header.substr(8), std::string("\x08\x02\0\0\0", 5));  // 8-bit RGB

    const std::size_t rowBytes = kWidth * 3 + 1;
    std::vector<std::uint8_t> raw(rowBytes * kHeight + 1);
    uLongf size = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &size, reinterpret_cast<const Bytef*>(data.data()),
                         static_cast<uLong>(data.size())),
              Z_OK);
    ASSERT_EQ(size, rowBytes * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const auto row = raw.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        ASSERT_EQ(*row, 0) << "filter of row " << y;  // None: the bytes are the pixels
        ASSERT_TRUE(std::equal(row + 1, row + static_cast<std::ptrdiff_t>(rowBytes),
                               rgb.begin() + static_cast<std::ptrdiff_t>(y * kWidth * 3)))
            << "row " << y;
    }
}

}  // namespace
}  // namespace mapwell
