#include "legacy/legacy_test_db.h"

#include <algorithm>
#include <stdexcept>

namespace formet::legacy::testing {

namespace {

constexpr std::size_t kPage = 1024;
constexpr std::size_t kLocal = 236;
constexpr std::size_t kOverflowBody = 1020;
constexpr std::uint32_t kMagicNumber = 0xDAE37528u;

std::size_t CellBytes(const std::string& key, const std::string& data) {
    const std::size_t payload = key.size() + data.size();
    return payload > kLocal ? 12 + kLocal + 4 : 12 + ((payload + 3) / 4) * 4;
}

}  // namespace

std::string EncodeKey(std::int32_t rowNumber) {
    const std::uint32_t v = static_cast<std::uint32_t>(rowNumber) ^ 0x80000000u;
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string EncodeRecord(const std::vector<Field>& fields) {
    std::string body;
    for (const Field& f : fields) {
        if (f) {
            body += *f;
            body += '\0';
        }
    }
    const std::size_t n = fields.size() + 1;
    const std::size_t width = body.size() + n < 256 ? 1 : body.size() + 2 * n < 65536 ? 2 : 3;
    std::string record;
    std::size_t offset = width * n;
    const auto putOffset = [&](std::size_t v) {
        for (std::size_t b = 0; b < width; ++b) record += static_cast<char>((v >> (8 * b)) & 0xFF);
    };
    putOffset(offset);
    for (const Field& f : fields) {
        if (f) offset += f->size() + 1;
        putOffset(offset);
    }
    return record + body;
}

void LegacyDbBuilder::AddTable(const std::string& name, const std::string& createSql, std::vector<TestRow> rows) {
    entries_.push_back(Entry{"table", name, createSql, std::move(rows), std::nullopt});
}

void LegacyDbBuilder::AddSchemaRow(const std::string& type, const std::string& name, const Field& sql,
                                   const Field& rootPage) {
    entries_.push_back(Entry{type, name, sql, {}, rootPage});
}

void LegacyDbBuilder::Put16(Page& page, std::size_t at, std::uint32_t v) const {
    const char hi = static_cast<char>((v >> 8) & 0xFF);
    const char lo = static_cast<char>(v & 0xFF);
    page[at] = bigEndian ? hi : lo;
    page[at + 1] = bigEndian ? lo : hi;
}

void LegacyDbBuilder::Put32(Page& page, std::size_t at, std::uint32_t v) const {
    for (std::size_t b = 0; b < 4; ++b) {
        const char byte = static_cast<char>((v >> (8 * b)) & 0xFF);
        page[at + (bigEndian ? 3 - b : b)] = byte;
    }
}

std::uint32_t LegacyDbBuilder::NewPage() {
    pages_.emplace_back(kPage, '\0');
    return static_cast<std::uint32_t>(pages_.size());
}

std::vector<LegacyDbBuilder::Cell> LegacyDbBuilder::CellsOf(const std::vector<TestRow>& rows) const {
    std::vector<TestRow> sorted = rows;
    std::sort(sorted.begin(), sorted.end(),
              [](const TestRow& a, const TestRow& b) { return a.rowNumber < b.rowNumber; });
    std::vector<Cell> cells;
    for (const TestRow& row : sorted) cells.push_back(Cell{EncodeKey(row.rowNumber), EncodeRecord(row.fields)});
    return cells;
}

void LegacyDbBuilder::WritePage(std::uint32_t pgno, std::uint32_t rightChild, const std::vector<const Cell*>& cells,
                                const std::vector<std::uint32_t>& leftChildren) {
    Page page(kPage, '\0');
    Put32(page, 0, rightChild);
    std::size_t offset = 8;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = *cells[i];
        const std::size_t size = CellBytes(cell.key, cell.data);
        if (offset + size > kPage) throw std::logic_error("test database: cells do not fit on one page");
        if (i == 0) Put16(page, 4, static_cast<std::uint32_t>(offset));
        Put32(page, offset, leftChildren[i]);
        Put16(page, offset + 4, static_cast<std::uint32_t>(cell.key.size() & 0xFFFF));
        Put16(page, offset + 6, i + 1 < cells.size() ? static_cast<std::uint32_t>(offset + size) : 0);
        page[offset + 8] = static_cast<char>((cell.key.size() >> 16) & 0xFF);
        page[offset + 9] = static_cast<char>((cell.data.size() >> 16) & 0xFF);
        Put16(page, offset + 10, static_cast<std::uint32_t>(cell.data.size() & 0xFFFF));
        const std::string payload = cell.key + cell.data;
        page.replace(offset + 12, std::min(payload.size(), kLocal), payload, 0, kLocal);
        if (payload.size() > kLocal) {
            std::uint32_t overflow = NewPage();
            Put32(page, offset + 12 + kLocal, overflow);
            for (std::size_t at = kLocal; at < payload.size(); at += kOverflowBody) {
                const bool more = at + kOverflowBody < payload.size();
                const std::uint32_t next = more ? NewPage() : 0;
                Page& ov = pages_[overflow - 1];
                Put32(ov, 0, next);
                ov.replace(4, std::min(kOverflowBody, payload.size() - at), payload, at, kOverflowBody);
                overflow = next;
            }
        }
        offset += size;
    }
    if (offset < kPage) {  // the rest of the page is one free block
        Put16(page, 6, static_cast<std::uint32_t>(offset));
        Put16(page, offset, static_cast<std::uint32_t>(kPage - offset));
        Put16(page, offset + 2, 0);
    }
    pages_[pgno - 1] = page;
}

std::uint32_t LegacyDbBuilder::BuildTree(const std::vector<Cell>& cells, std::size_t lo, std::size_t hi,
                                         std::uint32_t forcedPage) {
    const std::uint32_t pgno = forcedPage != 0 ? forcedPage : NewPage();
    const std::size_t n = hi - lo;
    const std::size_t leafLimit = shape == TreeShape::Chain ? 2 : cellsPerPage;
    if (n <= leafLimit) {
        std::vector<const Cell*> onPage;
        for (std::size_t i = lo; i < hi; ++i) onPage.push_back(&cells[i]);
        WritePage(pgno, 0, onPage, std::vector<std::uint32_t>(onPage.size(), 0));
        return pgno;
    }

    // Children and the dividers between them; the last child is the right child.
    std::vector<std::pair<std::size_t, std::size_t>> children;
    if (shape == TreeShape::Chain) {
        children = {{lo, lo + 1}, {lo + 2, hi}};
    } else {
        const std::size_t fanout = std::max<std::size_t>(2, std::min<std::size_t>(3, (n + 1) / 2));
        const std::size_t inChildren = n - (fanout - 1);
        std::size_t at = lo;
        for (std::size_t c = 0; c < fanout; ++c) {
            const std::size_t size = inChildren / fanout + (c < inChildren % fanout ? 1 : 0);
            children.emplace_back(at, at + size);
            at += size + 1;  // skip the divider
        }
    }
    std::vector<const Cell*> dividers;
    std::vector<std::uint32_t> leftChildren;
    for (std::size_t c = 0; c + 1 < children.size(); ++c) {
        leftChildren.push_back(BuildTree(cells, children[c].first, children[c].second, 0));
        dividers.push_back(&cells[children[c].second]);
    }
    const std::uint32_t right = BuildTree(cells, children.back().first, children.back().second, 0);
    WritePage(pgno, right, dividers, leftChildren);
    return pgno;
}

std::string LegacyDbBuilder::Build() {
    pages_.clear();
    rootPages.clear();
    NewPage();  // page one
    NewPage();  // schema root

    std::vector<TestRow> schemaRows;
    std::int32_t schemaRowNumber = 0;
    for (const Entry& entry : entries_) {
        std::uint32_t root = 0;
        if (!entry.rootPage && (entry.type == "table" || entry.type == "index")) {
            const std::vector<Cell> cells = CellsOf(entry.rows);
            root = BuildTree(cells, 0, cells.size(), 0);
            rootPages[entry.name] = root;
        }
        const Field rootText = entry.rootPage ? entry.rootPage : Field(std::to_string(root));
        schemaRows.push_back(TestRow{++schemaRowNumber, {entry.type, entry.name, entry.name, rootText, entry.sql}});
    }
    const std::vector<Cell> schemaCells = CellsOf(schemaRows);
    BuildTree(schemaCells, 0, schemaCells.size(), 2);

    std::uint32_t firstTrunk = 0;
    if (freePages > 0) {
        if (freePages > 255) throw std::logic_error("test database: one trunk holds at most 254 leaves");
        firstTrunk = NewPage();
        Put32(pages_[firstTrunk - 1], 4, freePages - 1);
        for (std::uint32_t i = 0; i + 1 < freePages; ++i) {
            const std::uint32_t leaf = NewPage();
            pages_[leaf - 1].assign(kPage, 'x');  // stale bytes of whatever the page held
            Put32(pages_[firstTrunk - 1], 8 + 4 * i, leaf);
        }
    }

    Page& one = pages_[0];
    const std::string header = oldHeader ? std::string("** This is a Ledgerworks Database file version 1.0 **")
                                         : std::string("** This file contains an SQLite 2.1 database **");
    one.replace(0, header.size(), header);
    const std::size_t magicAt = oldHeader ? 56 : 48;
    Put32(one, magicAt, kMagicNumber);
    Put32(one, magicAt + 4, firstTrunk);
    Put32(one, magicAt + 8, freePages);
    Put32(one, magicAt + 12, 974);  // schema cookie
    Put32(one, magicAt + 16, fileFormat);

    std::string image;
    for (const Page& page : pages_) image += page;
    return image;
}

}  // namespace formet::legacy::testing
