#include "uikit/image/GifLayout.h"

#include <cstddef>

namespace uikit {

namespace {

class BlockReader {
  public:
    explicit BlockReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    bool Skip(size_t count) {
        if (count > bytes_.size() - pos_) {
            return false;
        }
        pos_ += count;
        return true;
    }
    std::optional<uint8_t> Byte() {
        if (AtEnd()) {
            return std::nullopt;
        }
        return bytes_[pos_++];
    }
    std::optional<int> Word() {
        const std::optional<uint8_t> low = Byte();
        const std::optional<uint8_t> high = Byte();
        if (!low || !high) {
            return std::nullopt;
        }
        return *low | *high << 8;
    }
    // Data sub-blocks: a length byte and that many bytes, until a length of zero.
    bool SkipSubBlocks() {
        for (;;) {
            const std::optional<uint8_t> length = Byte();
            if (!length || !Skip(*length)) {
                return false;
            }
            if (*length == 0) {
                return true;
            }
        }
    }
    // A colour table follows when the flags' top bit is set.
    bool SkipColourTable(uint8_t flags) {
        return (flags & 0x80) == 0 || Skip(size_t{3} << ((flags & 7) + 1));
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

bool ReadFrame(BlockReader& reader, const GifLayout& layout) {
    const std::optional<int> x = reader.Word();
    const std::optional<int> y = reader.Word();
    const std::optional<int> w = reader.Word();
    const std::optional<int> h = reader.Word();
    const std::optional<uint8_t> flags = reader.Byte();
    if (!flags || *x + *w > layout.width || *y + *h > layout.height) {
        return false;
    }
    return reader.SkipColourTable(*flags) && reader.Skip(1) && reader.SkipSubBlocks();
}

}  // namespace

std::optional<GifLayout> ReadGifLayout(std::span<const uint8_t> bytes) {
    BlockReader reader(bytes);
    if (bytes.size() < 6 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F' ||
        !reader.Skip(6)) {
        return std::nullopt;
    }
    GifLayout layout;
    const std::optional<int> width = reader.Word();
    const std::optional<int> height = reader.Word();
    const std::optional<uint8_t> flags = reader.Byte();
    if (!flags || !reader.Skip(2) || !reader.SkipColourTable(*flags)) {
        return std::nullopt;
    }
    layout.width = *width;
    layout.height = *height;
    while (!reader.AtEnd()) {
        const uint8_t block = *reader.Byte();
        if (block == 0x3B) {
            break;
        }
        if (block == 0x21) {
            if (!reader.Skip(1) || !reader.SkipSubBlocks()) {
                return std::nullopt;
            }
        } else if (block == 0x2C) {
            if (!ReadFrame(reader, layout)) {
                return std::nullopt;
            }
            ++layout.frames;
        } else {
            return std::nullopt;
        }
    }
    return layout;
}

}  // namespace uikit
