#pragma once
// The texts of one record in one block of memory, so that a record of sixty
// texts, most of them short or empty, costs about the size of its characters
// instead of sixty strings of 32 bytes each. The block holds a byte giving
// the size of a length (1, 2 or 4 bytes, the least that holds the longest
// text), one bit per text telling whether it is not empty, the length of each
// text that is not, and their characters one after the other. A record whose
// texts are all empty holds no block. Texts of any length are kept whole.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

namespace formet {

template <size_t N>
class PackedTexts {
  static_assert(N > 0);

 public:
  PackedTexts() = default;
  PackedTexts(const PackedTexts& other) { CopyFrom(other); }
  PackedTexts(PackedTexts&&) noexcept = default;
  PackedTexts& operator=(const PackedTexts& other) {
    if (this != &other) CopyFrom(other);
    return *this;
  }
  PackedTexts& operator=(PackedTexts&&) noexcept = default;

  std::string_view Get(size_t i) const {
    if (!block_ || !Present(i)) return {};
    // The texts before i that are not empty, and where i's characters begin.
    size_t before = 0;
    for (size_t b = 0; b < i / 8; ++b) before += static_cast<size_t>(std::popcount(Byte(kBitsAt + b)));
    before += static_cast<size_t>(std::popcount(static_cast<unsigned>(Byte(kBitsAt + i / 8) & ((1u << (i % 8)) - 1))));
    const size_t width = Width();
    const size_t lengthsAt = kBitsAt + kBitBytes;
    size_t begin = 0;
    for (size_t k = 0; k < before; ++k) begin += Length(lengthsAt + k * width, width);
    const size_t length = Length(lengthsAt + before * width, width);
    return {block_.get() + lengthsAt + Count() * width + begin, length};
  }

  void Set(size_t i, std::string_view text) {
    if (Get(i) == text) return;
    std::array<std::string_view, N> all = Views();
    all[i] = text;
    Assign(all);  // copies the texts before the old block goes
  }

  // All texts at once, in order (the fastest way to fill a record).
  void Assign(std::span<const std::string_view, N> texts) {
    size_t total = 0, longest = 0, count = 0;
    for (const auto& t : texts) {
      total += t.size();
      longest = std::max(longest, t.size());
      count += t.empty() ? 0 : 1;
    }
    if (count == 0) {
      block_.reset();
      return;
    }
    const size_t width = longest <= 0xFF ? 1 : longest <= 0xFFFF ? 2 : 4;
    const size_t lengthsAt = kBitsAt + kBitBytes;
    std::unique_ptr<char[]> block(new char[lengthsAt + count * width + total]);
    std::memset(block.get(), 0, lengthsAt);
    block[0] = static_cast<char>(width);
    char* length = block.get() + lengthsAt;
    char* chars = length + count * width;
    for (size_t k = 0; k < N; ++k) {
      const std::string_view t = texts[k];
      if (t.empty()) continue;
      block[kBitsAt + k / 8] = static_cast<char>(static_cast<unsigned char>(block[kBitsAt + k / 8]) | (1u << (k % 8)));
      const auto n = static_cast<uint32_t>(t.size());
      std::memcpy(length, &n, width);  // little-endian: the low bytes first
      length += width;
      std::memcpy(chars, t.data(), t.size());
      chars += t.size();
    }
    block_ = std::move(block);
  }

  // Every text in order, as views into the block (valid until it changes).
  std::array<std::string_view, N> Views() const {
    std::array<std::string_view, N> all{};
    if (!block_) return all;
    const size_t width = Width();
    const char* length = block_.get() + kBitsAt + kBitBytes;
    const char* chars = length + Count() * width;
    for (size_t k = 0; k < N; ++k) {
      if (!Present(k)) continue;
      const size_t n = Length(static_cast<size_t>(length - block_.get()), width);
      all[k] = {chars, n};
      chars += n;
      length += width;
    }
    return all;
  }

  bool operator==(const PackedTexts& other) const { return Views() == other.Views(); }

 private:
  static_assert(std::endian::native == std::endian::little);
  static constexpr size_t kBitsAt = 1;
  static constexpr size_t kBitBytes = (N + 7) / 8;

  unsigned Byte(size_t at) const { return static_cast<unsigned char>(block_[at]); }
  size_t Width() const { return Byte(0); }
  bool Present(size_t i) const { return (Byte(kBitsAt + i / 8) >> (i % 8)) & 1u; }
  size_t Count() const {
    size_t count = 0;
    for (size_t b = 0; b < kBitBytes; ++b) count += static_cast<size_t>(std::popcount(Byte(kBitsAt + b)));
    return count;
  }
  size_t Length(size_t at, size_t width) const {
    uint32_t n = 0;
    std::memcpy(&n, block_.get() + at, width);
    return n;
  }
  size_t BlockSize() const {
    const size_t width = Width(), count = Count();
    size_t total = 0;
    for (size_t k = 0; k < count; ++k) total += Length(kBitsAt + kBitBytes + k * width, width);
    return kBitsAt + kBitBytes + count * width + total;
  }
  void CopyFrom(const PackedTexts& other) {
    if (!other.block_) {
      block_.reset();
      return;
    }
    const size_t size = other.BlockSize();
    block_.reset(new char[size]);
    std::memcpy(block_.get(), other.block_.get(), size);
  }

  std::unique_ptr<char[]> block_;
};

}  // namespace formet
