#pragma once
// Windows bitmap files of black-and-white artwork, as small as their content
// allows: the same two-colour picture as 1 bit a pixel, or run-length
// encoded with 4 or 8 bits a pixel, whichever file is smallest. Every form
// of the format is read by any bitmap reader.
#include <cstdint>
#include <vector>

namespace formet {

// A black-and-white raster, one bit a pixel, rows top first, each row
// (width + 7) / 8 bytes, the leftmost pixel in the highest bit; 1 is black.
class MonoRaster {
 public:
  MonoRaster(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int RowBytes() const { return (width_ + 7) / 8; }
  bool Black(int x, int y) const;
  void SetBlack(int x, int y, bool black = true);
  std::vector<uint8_t>& Bits() { return bits_; }
  const std::vector<uint8_t>& Bits() const { return bits_; }

 private:
  int width_, height_;
  std::vector<uint8_t> bits_;
};

enum class BitmapEncoding { Mono, Rle4, Rle8 };

// The file's bytes in one encoding; `dotsPerInch` is recorded in the file.
std::vector<uint8_t> EncodeBitmap(const MonoRaster& raster, int dotsPerInch, BitmapEncoding encoding);
// The smallest of the three.
std::vector<uint8_t> EncodeSmallestBitmap(const MonoRaster& raster, int dotsPerInch);

}  // namespace formet
