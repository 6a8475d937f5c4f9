// Pages, b-trees, payloads and records of an SQLite 2 database image.
// Internal to the old-format reader; every failure throws DamagedFile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/legacy/legacy_reader.h"

namespace formet::legacy::detail {

inline constexpr std::size_t kPageSize = 1024;
inline constexpr std::size_t kPageHeaderSize = 8;
inline constexpr std::size_t kCellHeaderSize = 12;
// Payload bytes kept on the b-tree page before the rest goes to overflow pages.
inline constexpr std::size_t kMaxLocalPayload = 236;
// Payload bytes on one overflow page (after its 4-byte next-page link).
inline constexpr std::size_t kOverflowPayload = kPageSize - 4;
// Deeper b-trees are refused. A balanced tree of the largest accepted file is
// about 20 levels deep even with two children per page.
inline constexpr std::size_t kMaxTreeDepth = 64;

using formet::legacy::DamagedFile;

enum class PageUse : std::uint8_t { Unused, PageOne, BTree, Overflow, FreeTrunk, FreeLeaf };

// One cell of a b-tree page, in key order.
struct CellInfo {
    std::uint32_t leftChild = 0;
    std::uint16_t offset = 0;  // of the cell header within its page
    std::uint32_t keySize = 0;
    std::uint32_t dataSize = 0;
};

struct PageInfo {
    std::uint32_t rightChild = 0;
    std::vector<CellInfo> cells;  // linked-list (key) order
};

// The image split into pages. Keeps which structure each page belongs to, so
// a page reached twice (a cycle or two structures sharing it) is detected.
class PageFile {
public:
    // `bytes` must be a whole number of pages; `bigEndian` is the byte order
    // of the file's own integers.
    PageFile(std::string_view bytes, bool bigEndian);

    std::uint32_t PageCount() const { return pageCount_; }
    const unsigned char* Page(std::uint32_t pgno) const;  // 1-based, checked

    std::uint16_t U16(const unsigned char* p) const;
    std::uint32_t U32(const unsigned char* p) const;

    // Records that `pgno` belongs to a structure of kind `use`; throws when it
    // is out of range or already taken. `what` names the referrer in errors.
    void Claim(std::uint32_t pgno, PageUse use, const char* what);

    // Checks one b-tree page (cell and free-block lists, sizes, child links).
    PageInfo ParseTreePage(std::uint32_t pgno) const;

    // Visits every cell of the b-tree rooted at `root` in ascending key order,
    // claiming its pages. The callback gets the page bytes and the cell.
    void WalkTree(std::uint32_t root,
                  const std::function<void(const unsigned char* page, const CellInfo& cell)>& onCell);

    // Payload (key bytes then data bytes) of a cell, following and claiming
    // its overflow chain. With out == nullptr the chain is only checked.
    void ReadPayload(const unsigned char* page, const CellInfo& cell, std::string* out);

    // Claims the free-list pages starting at `firstTrunk` and checks that they
    // number `expectedCount`.
    void WalkFreeList(std::uint32_t firstTrunk, std::uint32_t expectedCount);

    // Throws unless every page belongs to exactly one structure.
    void CheckAllPagesUsed() const;

private:
    std::string_view bytes_;
    bool bigEndian_;
    std::uint32_t pageCount_;
    std::vector<PageUse> use_;  // index 0 unused
};

// One column value of a record (see OldValue).
using Value = OldValue;

// Splits a row record into exactly `columnCount` values (pointing into
// `record`); throws when the record does not have that shape.
std::vector<Value> DecodeRecord(std::string_view record, std::size_t columnCount);

// Row number of a table key: 4 bytes, big-endian, top bit flipped.
std::int32_t DecodeTableKey(std::string_view key);

}  // namespace formet::legacy::detail
