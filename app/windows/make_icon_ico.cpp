// Builds the program's .ico from the flag's XPM art, at build time on the
// build machine: one 16-colour image per size, each with its AND mask.
// Usage: make_icon_ico OUTPUT.ico
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ui/flag_icon.h"

namespace {

struct Rgb {
  std::uint8_t red, green, blue;
  bool operator==(const Rgb&) const = default;
};

// The Windows 16-colour palette; the art's colours must all be in it.
constexpr std::array<Rgb, 16> kPalette = {{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

// One image: palette indices, and which pixels show (the rest are transparent).
struct Image {
  int size = 0;
  std::vector<std::uint8_t> index;  // row by row from the top
  std::vector<bool> opaque;
};

std::optional<Image> FromXpm(const char* const* xpm, std::string& error) {
  int width = 0, height = 0, colours = 0, chars = 0;
  std::istringstream(xpm[0]) >> width >> height >> colours >> chars;
  if (width != height || width <= 0 || chars != 1) {
    error = "unexpected XPM header \"" + std::string(xpm[0]) + "\"";
    return std::nullopt;
  }
  std::map<char, std::optional<std::uint8_t>> table;  // none: transparent
  for (int k = 1; k <= colours; ++k) {
    const std::string line = xpm[k];
    const std::string value = line.substr(line.rfind(' ') + 1);
    if (value == "None") {
      table[line[0]] = std::nullopt;
      continue;
    }
    unsigned rgb = 0;
    if (value.size() != 7 || std::sscanf(value.c_str(), "#%6x", &rgb) != 1) {
      error = "unreadable colour \"" + line + "\"";
      return std::nullopt;
    }
    const Rgb colour{std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
    std::optional<std::uint8_t> found;
    for (std::size_t p = 0; p < kPalette.size(); ++p) {
      if (kPalette[p] == colour) found = std::uint8_t(p);
    }
    if (!found) {
      error = "colour " + value + " is not one of the 16";
      return std::nullopt;
    }
    table[line[0]] = found;
  }
  Image image;
  image.size = width;
  for (int y = 0; y < height; ++y) {
    const std::string row = xpm[1 + colours + y];
    if (static_cast<int>(row.size()) != width) {
      error = "row " + std::to_string(y) + " is not " + std::to_string(width) + " wide";
      return std::nullopt;
    }
    for (char pixel : row) {
      const auto entry = table.find(pixel);
      if (entry == table.end()) {
        error = std::string("pixel '") + pixel + "' has no colour";
        return std::nullopt;
      }
      image.index.push_back(entry->second.value_or(0));
      image.opaque.push_back(entry->second.has_value());
    }
  }
  return image;
}

void Put16(std::string& out, unsigned value) {
  out += char(value & 0xFF);
  out += char((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPINFOHEADER, palette, XOR bits (4 per pixel) and AND mask (1 per
// pixel, set where transparent), rows bottom-up and each padded to 4 bytes.
std::string DeviceIndependentBitmap(const Image& image) {
  const int n = image.size;
  const int xor_row = (n * 4 + 31) / 32 * 4;
  const int and_row = (n + 31) / 32 * 4;
  std::string out;
  Put32(out, 40);
  Put32(out, n);
  Put32(out, 2 * n);  // the XOR and AND halves stacked
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, 0);  // BI_RGB
  Put32(out, (xor_row + and_row) * n);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 16);
  Put32(out, 0);
  for (const Rgb& colour : kPalette) {
    out += char(colour.blue);
    out += char(colour.green);
    out += char(colour.red);
    out += '\0';
  }
  for (int y = n - 1; y >= 0; --y) {
    std::string row(xor_row, '\0');
    for (int x = 0; x < n; ++x) {
      const std::uint8_t index = image.index[y * n + x];
      row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
    }
    out += row;
  }
  for (int y = n - 1; y >= 0; --y) {
    std::string row(and_row, '\0');
    for (int x = 0; x < n; ++x) {
      if (!image.opaque[y * n + x]) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    }
    out += row;
  }
  return out;
}

std::string IconFile(const std::vector<Image>& images) {
  std::vector<std::string> bitmaps;
  for (const Image& image : images) bitmaps.push_back(DeviceIndependentBitmap(image));
  std::string out;
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t k = 0; k < images.size(); ++k) {
    out += char(images[k].size);
    out += char(images[k].size);
    out += char(16);  // colours
    out += '\0';
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, static_cast<std::uint32_t>(bitmaps[k].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bitmaps[k].size());
  }
  for (const std::string& bitmap : bitmaps) out += bitmap;
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_icon_ico OUTPUT.ico\n";
    return 2;
  }
  std::vector<Image> images;
  for (const char* const* xpm : {kFlagIcon32, kFlagIcon16}) {
    std::string error;
    std::optional<Image> image = FromXpm(xpm, error);
    if (!image) {
      std::cerr << "make_icon_ico: the flag's art: " << error << "\n";
      return 1;
    }
    images.push_back(std::move(*image));
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << IconFile(images);
  out.close();
  if (!out) {
    std::cerr << "make_icon_ico: could not write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
