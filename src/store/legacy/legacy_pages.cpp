#include "store/legacy/legacy_pages.h"

#include <array>
#include <string>

namespace formet::legacy::detail {

namespace {

std::string PageText(std::uint32_t pgno) { return "page " + std::to_string(pgno); }

[[noreturn]] void Fail(std::uint32_t pgno, const std::string& what) {
    throw DamagedFile(PageText(pgno) + ": " + what);
}

const char* UseName(PageUse use) {
    switch (use) {
        case PageUse::Unused: return "unused";
        case PageUse::PageOne: return "header";
        case PageUse::BTree: return "b-tree";
        case PageUse::Overflow: return "overflow";
        case PageUse::FreeTrunk: return "free-list trunk";
        case PageUse::FreeLeaf: return "free-list leaf";
    }
    return "?";
}

std::size_t RoundUp4(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

std::size_t CellSize(const CellInfo& cell) {
    const std::size_t payload = std::size_t{cell.keySize} + cell.dataSize;
    if (payload > kMaxLocalPayload) return kCellHeaderSize + kMaxLocalPayload + 4;
    return kCellHeaderSize + RoundUp4(payload);
}

// Marks [offset, offset + size) of a page as taken; false when any byte was
// already taken (two cells or free blocks overlap).
bool TakeBytes(std::array<bool, kPageSize>& taken, std::size_t offset, std::size_t size) {
    for (std::size_t i = offset; i < offset + size; ++i) {
        if (taken[i]) return false;
        taken[i] = true;
    }
    return true;
}

}  // namespace

namespace {

std::uint32_t CountPages(std::size_t bytes) {
    if (bytes % kPageSize != 0 || bytes / kPageSize > UINT32_MAX) {
        throw DamagedFile("file size is not a whole number of pages");
    }
    return static_cast<std::uint32_t>(bytes / kPageSize);
}

}  // namespace

PageFile::PageFile(std::string_view bytes, bool bigEndian)
    : bytes_(bytes),
      bigEndian_(bigEndian),
      pageCount_(CountPages(bytes.size())),
      use_(std::size_t{pageCount_} + 1, PageUse::Unused) {}

const unsigned char* PageFile::Page(std::uint32_t pgno) const {
    if (pgno == 0 || pgno > pageCount_) Fail(pgno, "page number out of range");
    return reinterpret_cast<const unsigned char*>(bytes_.data()) + (std::size_t{pgno} - 1) * kPageSize;
}

std::uint16_t PageFile::U16(const unsigned char* p) const {
    return bigEndian_ ? static_cast<std::uint16_t>((p[0] << 8) | p[1])
                      : static_cast<std::uint16_t>((p[1] << 8) | p[0]);
}

std::uint32_t PageFile::U32(const unsigned char* p) const {
    if (bigEndian_) {
        return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
    }
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

void PageFile::Claim(std::uint32_t pgno, PageUse use, const char* what) {
    if (pgno == 0 || pgno > pageCount_) {
        throw DamagedFile(std::string(what) + " points to page " + std::to_string(pgno) + ", outside the file of " +
                          std::to_string(pageCount_) + " pages");
    }
    if (use_[pgno] != PageUse::Unused) {
        throw DamagedFile(std::string(what) + " points to page " + std::to_string(pgno) + ", already used as " +
                          UseName(use_[pgno]) + " page");
    }
    use_[pgno] = use;
}

PageInfo PageFile::ParseTreePage(std::uint32_t pgno) const {
    const unsigned char* page = Page(pgno);
    PageInfo info;
    info.rightChild = U32(page);

    std::array<bool, kPageSize> taken{};
    TakeBytes(taken, 0, kPageHeaderSize);
    std::size_t cellBytes = 0;

    // Cells, in the order of their links. Each takes at least 12 bytes and
    // cells may not overlap, so the overlap check also bounds this loop.
    std::size_t idx = U16(page + 4);
    while (idx != 0) {
        if (idx < kPageHeaderSize || idx > kPageSize - 16 || idx % 4 != 0) {
            Fail(pgno, "cell offset " + std::to_string(idx) + " out of range or misaligned");
        }
        const unsigned char* c = page + idx;
        CellInfo cell;
        cell.offset = static_cast<std::uint16_t>(idx);
        cell.leftChild = U32(c);
        cell.keySize = U16(c + 4) + (std::uint32_t{c[8]} << 16);
        cell.dataSize = U16(c + 10) + (std::uint32_t{c[9]} << 16);
        const std::size_t size = CellSize(cell);
        if (idx + size > kPageSize) Fail(pgno, "cell at " + std::to_string(idx) + " runs past the page end");
        if (!TakeBytes(taken, idx, size)) Fail(pgno, "cell at " + std::to_string(idx) + " overlaps other content");
        cellBytes += size;
        info.cells.push_back(cell);
        idx = U16(c + 6);
    }

    // Free blocks, in ascending offset order.
    std::size_t freeBytes = 0;
    idx = U16(page + 6);
    while (idx != 0) {
        if (idx < kPageHeaderSize || idx > kPageSize - 4 || idx % 4 != 0) {
            Fail(pgno, "free-block offset " + std::to_string(idx) + " out of range or misaligned");
        }
        const std::size_t size = U16(page + idx);
        const std::size_t next = U16(page + idx + 2);
        if (size < 4 || size % 4 != 0 || idx + size > kPageSize) {
            Fail(pgno, "free block at " + std::to_string(idx) + " has bad size " + std::to_string(size));
        }
        if (!TakeBytes(taken, idx, size)) Fail(pgno, "free block at " + std::to_string(idx) + " overlaps other content");
        if (next != 0 && next <= idx) Fail(pgno, "free-block list does not ascend");
        freeBytes += size;
        idx = next;
    }

    if (info.cells.empty() && freeBytes == 0) {
        // A never-written root page reads as an empty tree.
        if (info.rightChild != 0) Fail(pgno, "page without cells has a child");
        return info;
    }
    if (kPageHeaderSize + cellBytes + freeBytes != kPageSize) {
        Fail(pgno, "cells and free blocks do not fill the page");
    }
    if (info.cells.empty() && info.rightChild != 0) Fail(pgno, "page without cells has a child");
    for (const CellInfo& cell : info.cells) {
        if ((cell.leftChild != 0) != (info.rightChild != 0)) {
            Fail(pgno, "child links mix leaf and interior cells");
        }
    }
    return info;
}

void PageFile::WalkTree(std::uint32_t root,
                        const std::function<void(const unsigned char* page, const CellInfo& cell)>& onCell) {
    struct Frame {
        std::uint32_t pgno;
        PageInfo info;
        std::size_t step;  // even 2k: descend before cell k (k == n: right child); odd 2k+1: cell k
    };
    Claim(root, PageUse::BTree, "root page number");
    std::vector<Frame> stack;
    stack.push_back(Frame{root, ParseTreePage(root), 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        const std::size_t n = top.info.cells.size();
        if (top.step > 2 * n) {
            stack.pop_back();
            continue;
        }
        const std::size_t step = top.step++;
        if (step % 2 == 1) {
            onCell(Page(top.pgno), top.info.cells[step / 2]);
            continue;
        }
        const std::uint32_t child = step / 2 < n ? top.info.cells[step / 2].leftChild : top.info.rightChild;
        if (child == 0) continue;
        if (stack.size() >= kMaxTreeDepth) Fail(top.pgno, "b-tree deeper than " + std::to_string(kMaxTreeDepth));
        const std::string referrer = "child link on " + PageText(top.pgno);
        Claim(child, PageUse::BTree, referrer.c_str());
        PageInfo childInfo = ParseTreePage(child);  // before push_back: `top` dangles after it
        // Only a root may be empty; the engine never leaves an empty page below one.
        if (childInfo.cells.empty()) Fail(child, "empty page below the root of a b-tree");
        stack.push_back(Frame{child, std::move(childInfo), 0});
    }
}

void PageFile::ReadPayload(const unsigned char* page, const CellInfo& cell, std::string* out) {
    const std::size_t total = std::size_t{cell.keySize} + cell.dataSize;
    const std::size_t local = total < kMaxLocalPayload ? total : kMaxLocalPayload;
    const unsigned char* body = page + cell.offset + kCellHeaderSize;
    if (out) {
        out->clear();
        out->append(reinterpret_cast<const char*>(body), local);
    }
    if (total <= kMaxLocalPayload) return;

    // Refuse a size the file cannot hold before reserving memory for it.
    const std::size_t pagesNeeded = (total - kMaxLocalPayload + kOverflowPayload - 1) / kOverflowPayload;
    if (pagesNeeded >= pageCount_) {
        throw DamagedFile("payload of " + std::to_string(total) + " bytes does not fit in the file");
    }
    if (out) out->reserve(total);
    std::size_t remaining = total - kMaxLocalPayload;
    std::uint32_t next = U32(body + kMaxLocalPayload);
    for (std::size_t i = 0; i < pagesNeeded; ++i) {
        if (next == 0) throw DamagedFile("overflow chain ends before its payload");
        Claim(next, PageUse::Overflow, "overflow link");
        const unsigned char* ov = Page(next);
        const std::size_t n = remaining < kOverflowPayload ? remaining : kOverflowPayload;
        if (out) out->append(reinterpret_cast<const char*>(ov + 4), n);
        remaining -= n;
        next = U32(ov);
    }
    if (next != 0) throw DamagedFile("overflow chain continues past its payload");
}

void PageFile::WalkFreeList(std::uint32_t firstTrunk, std::uint32_t expectedCount) {
    if (expectedCount >= pageCount_) throw DamagedFile("free-page count exceeds the file's pages");
    std::uint32_t found = 0;
    for (std::uint32_t trunk = firstTrunk; trunk != 0;) {
        Claim(trunk, PageUse::FreeTrunk, "free-list link");
        ++found;
        const unsigned char* p = Page(trunk);
        const std::uint32_t leaves = U32(p + 4);
        if (leaves > (kOverflowPayload - 4) / 4) Fail(trunk, "free-list trunk holds too many entries");
        for (std::uint32_t i = 0; i < leaves; ++i) {
            Claim(U32(p + 8 + 4 * std::size_t{i}), PageUse::FreeLeaf, "free-list entry");
            ++found;
        }
        trunk = U32(p);
    }
    if (found != expectedCount) {
        throw DamagedFile("free list holds " + std::to_string(found) + " pages, page one says " +
                          std::to_string(expectedCount));
    }
}

void PageFile::CheckAllPagesUsed() const {
    for (std::uint32_t pgno = 1; pgno <= pageCount_; ++pgno) {
        if (use_[pgno] == PageUse::Unused) Fail(pgno, "belongs to no table, overflow chain or free list");
    }
}

std::vector<Value> DecodeRecord(std::string_view record, std::size_t columnCount) {
    const std::size_t size = record.size();
    const std::size_t width = size < 256 ? 1 : size < 65536 ? 2 : 3;
    const auto offsetAt = [&](std::size_t i) {
        const auto* p = reinterpret_cast<const unsigned char*>(record.data()) + i * width;
        std::size_t v = p[0];
        if (width > 1) v |= std::size_t{p[1]} << 8;
        if (width > 2) v |= std::size_t{p[2]} << 16;
        return v;
    };
    if (columnCount == 0 || size < width) throw DamagedFile("record too short");
    const std::size_t first = offsetAt(0);
    if (first % width != 0 || first / width != columnCount + 1 || first > size) {
        throw DamagedFile("record has " + std::to_string(first / width) + " offsets, table has " +
                          std::to_string(columnCount) + " columns");
    }
    std::vector<Value> values;
    values.reserve(columnCount);
    std::size_t start = first;
    for (std::size_t i = 0; i < columnCount; ++i) {
        const std::size_t end = offsetAt(i + 1);
        if (end < start || end > size) throw DamagedFile("record field offsets out of order");
        if (end == start) {
            values.emplace_back(std::nullopt);
        } else {
            if (record[end - 1] != '\0') throw DamagedFile("record field lacks its terminating NUL");
            std::string_view text = record.substr(start, end - 1 - start);
            text = text.substr(0, text.find('\0'));
            values.emplace_back(text);
        }
        start = end;
    }
    if (start != size) throw DamagedFile("record size does not match its last offset");
    return values;
}

std::int32_t DecodeTableKey(std::string_view key) {
    if (key.size() != 4) throw DamagedFile("table key of " + std::to_string(key.size()) + " bytes, not 4");
    const auto* p = reinterpret_cast<const unsigned char*>(key.data());
    const std::uint32_t v =
        ((std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3]) ^ 0x80000000u;
    return static_cast<std::int32_t>(v);
}

}  // namespace formet::legacy::detail
