#include "model/tga_reader.h"

#include "platform/byte_cursor.h"

#include <cstring>
#include <new>

namespace {

constexpr size_t kHeaderSize = 18;
constexpr size_t kMapEntrySize = 3;
constexpr size_t kMaxPacketPixels = 128;

struct TgaLayout {
    int type;
    size_t bytesPerValue;
    const uint8_t* colourMap = nullptr;
    size_t mapEntries = 0;
};

// One pixel value of the file into four output bytes; false for an index past
// the colour map.
bool convertPixel(const TgaLayout& layout, const uint8_t* value, uint8_t* out) {
    switch (layout.bytesPerValue) {
    case 4:
        std::memcpy(out, value, 4);
        return true;
    case 3:
        std::memcpy(out, value, 3);
        break;
    case 2: {
        unsigned v = le16(value);
        out[0] = uint8_t((v & 31u) * 8u);
        out[1] = uint8_t(((v >> 5) & 31u) * 8u);
        out[2] = uint8_t(((v >> 10) & 31u) * 8u);
        break;
    }
    default:
        if (value[0] >= layout.mapEntries) return false;
        std::memcpy(out, layout.colourMap + value[0] * kMapEntrySize, 3);
        break;
    }
    out[3] = 255;
    return true;
}

struct PixelSink {
    uint8_t* pixels;
    size_t count;
    bool reversed;  // zero descriptor: the k-th file pixel lands at count - 1 - k
    size_t written = 0;

    uint8_t* next() {
        size_t index = reversed ? count - 1 - written : written;
        ++written;
        return pixels + index * 4;
    }
};

bool readRaw(ByteCursor& in, const TgaLayout& layout, PixelSink& sink) {
    while (sink.written < sink.count) {
        const uint8_t* value = in.take(layout.bytesPerValue);
        if (!value || !convertPixel(layout, value, sink.next())) return false;
    }
    return true;
}

bool readRunLength(ByteCursor& in, const TgaLayout& layout, PixelSink& sink) {
    while (sink.written < sink.count) {
        const uint8_t* header = in.take(1);
        if (!header) return false;
        bool repeated = header[0] >= 128;
        size_t length = repeated ? header[0] - 127u : header[0] + 1u;
        if (length > sink.count - sink.written) return false;
        if (repeated) {
            const uint8_t* value = in.take(layout.bytesPerValue);
            uint8_t pixel[4];
            if (!value || !convertPixel(layout, value, pixel)) return false;
            for (size_t i = 0; i < length; ++i) std::memcpy(sink.next(), pixel, 4);
        } else {
            for (size_t i = 0; i < length; ++i) {
                const uint8_t* value = in.take(layout.bytesPerValue);
                if (!value || !convertPixel(layout, value, sink.next())) return false;
            }
        }
    }
    return true;
}

bool readLayout(ByteCursor& in, const uint8_t* header, TgaLayout& layout) {
    layout.type = header[2];
    unsigned mapType = header[1], mapLength = le16(header + 5), mapEntryBits = header[7];
    unsigned depth = header[16];
    if (layout.type == 1 || layout.type == 9) {
        if (mapType == 0 || depth != 8 || mapEntryBits != 24 || mapLength == 0) return false;
        layout.bytesPerValue = 1;
        layout.mapEntries = mapLength;
        layout.colourMap = in.take(mapLength * kMapEntrySize);
        return layout.colourMap != nullptr;
    }
    if (layout.type == 2 || layout.type == 10) {
        if (depth != 16 && depth != 24 && depth != 32) return false;
        layout.bytesPerValue = depth / 8;
        return true;
    }
    return false;
}

// The least input the pixel data needs; checked before the buffer is made so a
// small file cannot ask for a huge one.
size_t leastPixelBytes(const TgaLayout& layout, size_t pixelCount) {
    if (layout.type == 1 || layout.type == 2) return pixelCount * layout.bytesPerValue;
    size_t packets = (pixelCount + kMaxPacketPixels - 1) / kMaxPacketPixels;
    return packets * (1 + layout.bytesPerValue);
}

}  // namespace

bool decodeTga(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, int& width,
               int& height) {
    ByteCursor in{data, size};
    const uint8_t* header = in.take(kHeaderSize);
    if (!header || !in.take(header[0])) return false;
    TgaLayout layout{};
    if (!readLayout(in, header, layout)) return false;
    int w = le16(header + 12), h = le16(header + 14);
    size_t count = size_t(w) * size_t(h);
    if (leastPixelBytes(layout, count) > in.left()) return false;
    std::vector<uint8_t> buffer;
    try {
        buffer.assign(count * 4, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    PixelSink sink{buffer.data(), count, header[17] == 0};
    bool runLength = layout.type == 9 || layout.type == 10;
    if (!(runLength ? readRunLength(in, layout, sink) : readRaw(in, layout, sink))) return false;
    pixels.swap(buffer);
    width = w;
    height = h;
    return true;
}
