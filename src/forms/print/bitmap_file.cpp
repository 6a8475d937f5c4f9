#include "forms/print/bitmap_file.h"

#include <cmath>

namespace formet {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2;
constexpr int kFileHeaderBytes = 14, kInfoHeaderBytes = 40, kPaletteEntries = 2;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// The pixels of one row as runs of one colour: (length, black).
std::vector<std::pair<int, bool>> Runs(const MonoRaster& r, int y) {
  std::vector<std::pair<int, bool>> runs;
  for (int x = 0; x < r.Width(); ++x) {
    const bool black = r.Black(x, y);
    if (!runs.empty() && runs.back().second == black) ++runs.back().first;
    else runs.emplace_back(1, black);
  }
  return runs;
}

// Rows bottom first, as a bitmap file keeps them.
void EncodeRows(const MonoRaster& r, BitmapEncoding encoding, std::vector<uint8_t>& out) {
  for (int row = r.Height() - 1; row >= 0; --row) {
    if (encoding == BitmapEncoding::Mono) {
      const auto* bits = &r.Bits()[static_cast<size_t>(row) * static_cast<size_t>(r.RowBytes())];
      out.insert(out.end(), bits, bits + r.RowBytes());
      for (int pad = r.RowBytes(); pad % 4 != 0; ++pad) out.push_back(0);
      continue;
    }
    // Encoded mode: (count, colour) pairs of up to 255 pixels; for 4 bits a
    // pixel both nibbles carry the colour.
    for (auto [length, black] : Runs(r, row)) {
      const uint8_t index = black ? 1 : 0;
      const uint8_t value = encoding == BitmapEncoding::Rle4 ? static_cast<uint8_t>(index << 4 | index) : index;
      while (length > 0) {
        const int n = length > 255 ? 255 : length;
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(value);
        length -= n;
      }
    }
    out.push_back(0);
    out.push_back(row == 0 ? 1 : 0);  // end of line, or end of the bitmap after the last
  }
}

}  // namespace

MonoRaster::MonoRaster(int width, int height)
    : width_(width), height_(height), bits_(static_cast<size_t>((width + 7) / 8) * static_cast<size_t>(height)) {}

bool MonoRaster::Black(int x, int y) const {
  return (bits_[static_cast<size_t>(y) * static_cast<size_t>(RowBytes()) + static_cast<size_t>(x / 8)] >>
          (7 - x % 8)) & 1;
}

void MonoRaster::SetBlack(int x, int y, bool black) {
  uint8_t& byte = bits_[static_cast<size_t>(y) * static_cast<size_t>(RowBytes()) + static_cast<size_t>(x / 8)];
  const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
  byte = black ? (byte | bit) : (byte & static_cast<uint8_t>(~bit));
}

std::vector<uint8_t> EncodeBitmap(const MonoRaster& r, int dotsPerInch, BitmapEncoding encoding) {
  std::vector<uint8_t> out;
  const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes + kPaletteEntries * 4;
  // File header; the sizes are filled in at the end.
  out.push_back('B');
  out.push_back('M');
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, offset);
  // Info header.
  const auto perMetre = static_cast<uint32_t>(std::lround(dotsPerInch / 0.0254));
  Put32(out, kInfoHeaderBytes);
  Put32(out, static_cast<uint32_t>(r.Width()));
  Put32(out, static_cast<uint32_t>(r.Height()));  // positive: bottom-up rows
  Put16(out, 1);
  Put16(out, encoding == BitmapEncoding::Mono ? 1 : encoding == BitmapEncoding::Rle4 ? 4 : 8);
  Put32(out, encoding == BitmapEncoding::Mono ? kBiRgb : encoding == BitmapEncoding::Rle4 ? kBiRle4 : kBiRle8);
  Put32(out, 0);  // image size
  Put32(out, perMetre);
  Put32(out, perMetre);
  Put32(out, kPaletteEntries);
  Put32(out, kPaletteEntries);
  // Palette: 0 white, 1 black (blue, green, red, 0).
  for (uint8_t v : {uint8_t{255}, uint8_t{0}}) {
    out.push_back(v);
    out.push_back(v);
    out.push_back(v);
    out.push_back(0);
  }
  EncodeRows(r, encoding, out);
  Set32(out, 2, static_cast<uint32_t>(out.size()));
  Set32(out, kFileHeaderBytes + 20, static_cast<uint32_t>(out.size() - offset));
  return out;
}

std::vector<uint8_t> EncodeSmallestBitmap(const MonoRaster& r, int dotsPerInch) {
  std::vector<uint8_t> best;
  for (auto encoding : {BitmapEncoding::Rle4, BitmapEncoding::Rle8, BitmapEncoding::Mono}) {
    auto bytes = EncodeBitmap(r, dotsPerInch, encoding);
    if (best.empty() || bytes.size() < best.size()) best = std::move(bytes);
  }
  return best;
}

}  // namespace formet
