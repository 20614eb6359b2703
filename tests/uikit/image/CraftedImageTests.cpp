// Image files made to hurt a decoder that trusts their headers: each must be refused at once,
// before anything the size of the picture it claims is allocated or filled.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <span>
#include <vector>

#include "uikit/image/GifFrames.h"
#include "uikit/image/ImageData.h"

namespace {

using namespace uikit;

// Filling a canvas of the claimed size costs the processor a good part of a second or more;
// reading a header costs microseconds. Processor time, not the clock: a busy machine that
// leaves the test waiting does not count against it.
constexpr double kQuicklySeconds = 0.15;

double ProcessorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Crafted {
    const char* what;
    std::vector<uint8_t> bytes;
};

void PrintTo(const Crafted& crafted, std::ostream* out) {
    *out << crafted.what;
}

// Ten bytes whose Huffman table runs past the table the decoder keeps.
Crafted TenByteJpeg() {
    return {"ten-byte JPEG", {0x00, 0xFF, 0xD8, 0xFF, 0xC4, 0xED, 0xC5, 0x00, 0x85, 0xED}};
}

// The same Huffman segment behind a proper start-of-image marker, so it reaches the JPEG decoder.
Crafted TenByteJpegFromItsMarker() {
    return {"JPEG from its marker", {0xFF, 0xD8, 0xFF, 0xC4, 0xED, 0xC5, 0x00, 0x85, 0xED}};
}

// A GIF screen descriptor of 20000x26000 and nothing else: a canvas of 2 GB.
Crafted GifHeaderAlone() {
    return {"GIF header alone",
            {'G', 'I', 'F', '8', '9', 'a', 0x20, 0x4E, 0x90, 0x65, 0x00, 0x00, 0x00}};
}

// An uncompressed TGA header of 18689x21569 with no pixels behind it.
Crafted EighteenByteTga() {
    return {"18-byte TGA",
            {0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x49,
             0x41, 0x54, 0x18, 0x00}};
}

class CraftedImage : public ::testing::TestWithParam<Crafted> {
  protected:
    template <typename Decode>
    void ExpectRefusedQuickly(Decode decode) {
        const double started = ProcessorSeconds();
        EXPECT_TRUE(decode(std::span<const uint8_t>(GetParam().bytes)));
        EXPECT_LT(ProcessorSeconds() - started, kQuicklySeconds);
    }
};

TEST_P(CraftedImage, GivesNoImage) {
    ExpectRefusedQuickly(
        [](std::span<const uint8_t> bytes) { return DecodeImage(bytes, 0) == nullptr; });
}

TEST_P(CraftedImage, GivesNoAnimation) {
    ExpectRefusedQuickly(
        [](std::span<const uint8_t> bytes) { return DecodeGifFrames(bytes).frames.empty(); });
}

INSTANTIATE_TEST_SUITE_P(Headers, CraftedImage,
                         ::testing::Values(TenByteJpeg(), TenByteJpegFromItsMarker(),
                                           GifHeaderAlone(), EighteenByteTga()),
                         [](const auto& info) { return std::to_string(info.index); });

// The limits are no blanket refusal: the same GIF header with a small canvas and one pixel
// still decodes, so the huge one above is refused for its size.
TEST(CraftedImageControl, SmallCanvasWithTheSameLayoutDecodes) {
    const uint8_t gif[] = {'G', 'I',  'F', '8', '9', 'a', 1,    0,    1,    0, 0x80, 0,
                           0,   0xFF, 0,   0,   0,   0,   0xFF, 0x2C, 0,    0, 0,    0,
                           1,   0,    1,   0,   0,   2,   2,    0x44, 0x01, 0, 0x3B};
    const auto image = DecodeImage(gif, 0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 1);
    EXPECT_EQ(image->height, 1);
    EXPECT_EQ(DecodeGifFrames(gif).frames.size(), 1u);
}

}  // namespace
