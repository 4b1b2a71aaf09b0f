// icon_generator <out.ico>: writes the setup program's icon, a small screen
// showing a landscape at sunset, at 32 x 32 and 16 x 16 in 16 colours.
// Built and run on the build machine.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// The standard 16-colour palette (blue, green, red, reserved).
const uint8_t kPalette[16][4] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};
enum { Black = 0, DarkRed = 1, DarkGreen = 2, Olive = 3, Navy = 4, Grey = 7, DarkGrey = 8, Red = 9,
       Green = 10, Yellow = 11, Blue = 12, White = 15, Transparent = -1 };

// Colour index of pixel (x, y), y from the top, or Transparent.
int PixelAt(int size, int x, int y)
{
    // Proportions on a 32-unit grid.
    auto u = [size](int v) { return v * size / 32; };
    int left = u(2), right = size - u(2), top = u(3), bottom = size - u(9);
    bool inCase = x >= left && x < right && y >= top && y < bottom;
    bool inStand = x >= u(12) && x < size - u(12) && y >= bottom && y < size - u(5);
    bool inFoot = x >= u(8) && x < size - u(8) && y >= size - u(5) && y < size - u(3);
    if (inStand || inFoot)
        return DarkGrey;
    if (!inCase)
        return Transparent;
    int border = size >= 32 ? 2 : 1;
    if (x < left + border || x >= right - border || y < top + border || y >= bottom - border)
        return (x == left || y == top) ? White : Grey;
    // The screen: sky, a sun, hills.
    int sx = x - (left + border), sy = y - (top + border);
    int w = right - left - 2 * border, h = bottom - top - 2 * border;
    int hill = h * 2 / 3 + ((sx * 7 / (w > 0 ? w : 1)) % 2 ? 1 : 0) - (sx > w / 2 ? 2 * (sx - w / 2) * 2 / w : 0);
    if (sy >= hill)
        return sy > hill + 2 ? DarkGreen : Green;
    int cx = w * 2 / 3, cy = h / 3, r = h / 5 + 1;
    if ((sx - cx) * (sx - cx) + (sy - cy) * (sy - cy) <= r * r)
        return Yellow;
    return sy < h / 4 ? Navy : (sy < h / 2 ? Blue : Red);
}

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One icon image: BITMAPINFOHEADER (double height), palette, XOR bits, AND mask.
std::vector<uint8_t> Image(int size)
{
    std::vector<uint8_t> out;
    int xorRow = ((size * 4 + 31) / 32) * 4;
    int andRow = ((size + 31) / 32) * 4;
    Put32(out, 40);
    Put32(out, (uint32_t)size);
    Put32(out, (uint32_t)size * 2);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, (uint32_t)((xorRow + andRow) * size));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (const auto& c : kPalette)
        out.insert(out.end(), c, c + 4);
    for (int y = size - 1; y >= 0; y--) {
        std::vector<uint8_t> row((size_t)xorRow, 0);
        for (int x = 0; x < size; x++) {
            int c = PixelAt(size, x, y);
            uint8_t v = (uint8_t)(c < 0 ? 0 : c);
            row[(size_t)x / 2] |= (x % 2) ? v : (uint8_t)(v << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; y--) {
        std::vector<uint8_t> row((size_t)andRow, 0);
        for (int x = 0; x < size; x++)
            if (PixelAt(size, x, y) < 0)
                row[(size_t)x / 8] |= (uint8_t)(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_generator <out.ico>\n");
        return 2;
    }
    std::vector<uint8_t> big = Image(32), small = Image(16);
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 2);
    uint32_t offset = 6 + 2 * 16;
    for (const auto* image : {&big, &small}) {
        int size = image == &big ? 32 : 16;
        out.push_back((uint8_t)size);
        out.push_back((uint8_t)size);
        out.push_back(16);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, (uint32_t)image->size());
        Put32(out, offset);
        offset += (uint32_t)image->size();
    }
    out.insert(out.end(), big.begin(), big.end());
    out.insert(out.end(), small.begin(), small.end());
    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "icon_generator: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
