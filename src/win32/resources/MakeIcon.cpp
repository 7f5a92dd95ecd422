// Build-time tool: writes the program icon, drawn by the same code as the windows' icons, as an
// icon file with the sizes that Explorer, the taskbar and the title bar ask for.
//   make-icon OUTPUT.ico
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "win32/IconPixels.h"

namespace {

constexpr int kSizes[] = {16, 32, 48, 256};

void put16(std::vector<char>& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::vector<char>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// One image of the file: a bitmap header of double height (colour rows, then the mask's), the
// 32-bit colour rows and the 1-bit mask rows, both from the bottom up, mask rows padded to 32 bits.
std::vector<char> iconImage(int size) {
    const std::vector<std::uint32_t> pixels = win32::programIconPixels(size);
    const int maskStride = (size + 31) / 32 * 4;
    std::vector<char> image;
    put32(image, 40);  // the header's size
    put32(image, static_cast<std::uint32_t>(size));
    put32(image, static_cast<std::uint32_t>(size * 2));
    put16(image, 1);   // planes
    put16(image, 32);  // bits per pixel
    put32(image, 0);   // no compression
    put32(image, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
    for (int unused = 0; unused < 4; ++unused) {
        put32(image, 0);  // resolution and palette: none
    }
    for (int row = size - 1; row >= 0; --row) {
        for (int column = 0; column < size; ++column) {
            put32(image, pixels[static_cast<std::size_t>(row * size + column)]);
        }
    }
    for (int row = size - 1; row >= 0; --row) {
        std::vector<char> mask(static_cast<std::size_t>(maskStride), 0);
        for (int column = 0; column < size; ++column) {
            if ((pixels[static_cast<std::size_t>(row * size + column)] >> 24) == 0) {
                mask[static_cast<std::size_t>(column / 8)] |= static_cast<char>(0x80 >> (column % 8));
            }
        }
        image.insert(image.end(), mask.begin(), mask.end());
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icon OUTPUT.ico\n");
        return 2;
    }
    constexpr unsigned kCount = sizeof(kSizes) / sizeof(kSizes[0]);
    std::vector<std::vector<char>> images;
    for (const int size : kSizes) {
        images.push_back(iconImage(size));
    }
    std::vector<char> file;
    put16(file, 0);  // reserved
    put16(file, 1);  // an icon, not a cursor
    put16(file, kCount);
    std::uint32_t offset = 6 + 16 * kCount;
    for (unsigned i = 0; i < kCount; ++i) {
        const unsigned side = kSizes[i] >= 256 ? 0 : static_cast<unsigned>(kSizes[i]);  // 0 stands for 256
        file.push_back(static_cast<char>(side));
        file.push_back(static_cast<char>(side));
        file.push_back(0);  // no palette
        file.push_back(0);  // reserved
        put16(file, 1);     // planes
        put16(file, 32);    // bits per pixel
        put32(file, static_cast<std::uint32_t>(images[i].size()));
        put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::vector<char>& image : images) {
        file.insert(file.end(), image.begin(), image.end());
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::fprintf(stderr, "make-icon: could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
