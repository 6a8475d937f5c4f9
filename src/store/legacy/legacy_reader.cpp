#include "store/legacy/legacy_reader.h"

#include <fstream>
#include <set>
#include <system_error>

#include "store/legacy/legacy_pages.h"
#include "store/legacy/legacy_sql.h"

namespace formet::legacy {

namespace {

using detail::CellInfo;
using detail::PageFile;

// Page one of a file in the engine's own layout starts with this text and a
// NUL; the old-release layout starts with kOldFormatHeader, a NUL and two
// padding bytes, which moves the magic and everything after it 8 bytes later.
constexpr std::string_view kStandardHeader{"** This file contains an SQLite 2.1 database **\0", 48};
constexpr std::size_t kStandardMagicOffset = 48;
constexpr std::size_t kOldMagicOffset = 56;
constexpr std::uint32_t kMagic = 0xDAE37528u;
constexpr std::uint32_t kSchemaRootPage = 2;
constexpr std::size_t kSchemaColumns = 5;  // type, name, tbl_name, rootpage, sql

std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::optional<std::string> Owned(const OldValue& v) {
    if (!v) return std::nullopt;
    return std::string(*v);
}

// Row number of a table cell; keys must ascend strictly.
std::int32_t KeyOf(const std::string& payload, const CellInfo& cell, std::optional<std::int32_t>& lastKey) {
    if (cell.keySize != 4) throw DamagedFile("table key of " + std::to_string(cell.keySize) + " bytes, not 4");
    const std::int32_t key = detail::DecodeTableKey(std::string_view(payload).substr(0, 4));
    if (lastKey && key <= *lastKey) throw DamagedFile("table keys out of order");
    lastKey = key;
    return key;
}

}  // namespace

struct OldFormatReader::Impl {
    std::string_view bytes;
    std::optional<PageFile> pages;
    std::uint32_t firstFreeTrunk = 0;
    std::uint32_t freePageCount = 0;
    std::vector<OldSchemaEntry> schema;
    std::vector<bool> walked;  // per schema entry: its tree has been read
    bool finished = false;

    void ReadPageOne() {
        if (bytes.empty()) throw DamagedFile("the file is empty");
        if (bytes.size() > kMaxOldFormatFileBytes) throw DamagedFile("the file is larger than 1 GiB");
        if (bytes.size() % detail::kPageSize != 0) {
            throw DamagedFile("file size " + std::to_string(bytes.size()) + " is not a multiple of 1024");
        }
        if (bytes.size() < 2 * detail::kPageSize) throw DamagedFile("the file has fewer than 2 pages");

        std::size_t magicOffset = 0;
        if (bytes.substr(0, kOldFormatHeader.size()) == kOldFormatHeader && bytes[kOldFormatHeader.size()] == '\0') {
            magicOffset = kOldMagicOffset;
        } else if (bytes.substr(0, kStandardHeader.size()) == kStandardHeader) {
            magicOffset = kStandardMagicOffset;
        } else {
            throw DamagedFile("page one does not start with a database header");
        }

        const auto* m = reinterpret_cast<const unsigned char*>(bytes.data()) + magicOffset;
        const std::uint32_t little =
            (std::uint32_t{m[3]} << 24) | (std::uint32_t{m[2]} << 16) | (std::uint32_t{m[1]} << 8) | m[0];
        const std::uint32_t big =
            (std::uint32_t{m[0]} << 24) | (std::uint32_t{m[1]} << 16) | (std::uint32_t{m[2]} << 8) | m[3];
        bool bigEndian = false;
        if (little == kMagic) {
            bigEndian = false;
        } else if (big == kMagic) {
            bigEndian = true;
        } else {
            throw DamagedFile("page one lacks the database magic number");
        }
        pages.emplace(bytes, bigEndian);
        pages->Claim(1, detail::PageUse::PageOne, "page one");

        firstFreeTrunk = pages->U32(m + 4);
        freePageCount = pages->U32(m + 8);
        const std::uint32_t fileFormat = pages->U32(m + 16);  // after the schema cookie
        if (fileFormat != 3 && fileFormat != 4) {
            throw DamagedFile("unsupported file format number " + std::to_string(fileFormat) +
                              " (only 3 and 4 are read)");
        }
    }

    void ReadSchema() {
        std::optional<std::int32_t> lastKey;
        std::string payload;
        pages->WalkTree(kSchemaRootPage, [&](const unsigned char* page, const CellInfo& cell) {
            pages->ReadPayload(page, cell, &payload);
            KeyOf(payload, cell, lastKey);
            const std::vector<OldValue> v = detail::DecodeRecord(std::string_view(payload).substr(4), kSchemaColumns);
            OldSchemaEntry entry;
            entry.type = Owned(v[0]);
            entry.name = Owned(v[1]);
            entry.rootPage = Owned(v[3]);
            entry.sql = Owned(v[4]);
            schema.push_back(std::move(entry));
        });

        std::set<std::string> tableNames;  // in lower case, as the engine matches them
        for (OldSchemaEntry& entry : schema) {
            (void)RootPageOf(entry);  // checks the text
            if (!entry.IsTable()) continue;
            if (!entry.sql) throw DamagedFile("schema row of a table without CREATE TABLE text");
            if (!entry.name) throw DamagedFile("schema row of a table without a name");
            if (RootPageOf(entry) == 0) throw DamagedFile("table " + *entry.name + " has no root page");
            detail::TableShape shape = detail::ParseCreateTable(*entry.sql);
            if (!detail::NamesEqual(shape.name, *entry.name)) {
                throw DamagedFile("schema row names table " + *entry.name + " but creates " + shape.name);
            }
            if (!tableNames.insert(LowerCase(*entry.name)).second) {
                throw DamagedFile("table " + *entry.name + " is defined twice");
            }
            entry.columns = std::move(shape.columns);
            entry.rowIdColumn = shape.rowIdColumn;
        }
        walked.assign(schema.size(), false);
    }

    // Root page of a schema row: 0 for none (views, triggers).
    std::uint32_t RootPageOf(const OldSchemaEntry& entry) const {
        if (!entry.rootPage || entry.rootPage->empty()) return 0;
        const std::string& text = *entry.rootPage;
        std::uint64_t value = 0;
        for (char c : text) {
            if (c < '0' || c > '9' || text.size() > 10) throw DamagedFile("schema row has root page '" + text + "'");
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if (value > pages->PageCount()) throw DamagedFile("root page " + text + " is outside the file");
        return static_cast<std::uint32_t>(value);
    }

    std::size_t IndexOf(const OldSchemaEntry& entry) const {
        const std::size_t i = static_cast<std::size_t>(&entry - schema.data());
        if (&entry < schema.data() || i >= schema.size()) throw std::logic_error("schema entry of another reader");
        return i;
    }

    void WalkRows(const OldSchemaEntry& table, const RowVisitor& onRow) {
        std::optional<std::int32_t> lastKey;
        std::string payload;
        std::string rowNumber;
        const std::size_t columns = table.columns.size();
        pages->WalkTree(RootPageOf(table), [&](const unsigned char* page, const CellInfo& cell) {
            pages->ReadPayload(page, cell, &payload);
            const std::int32_t key = KeyOf(payload, cell, lastKey);
            std::vector<OldValue> values = detail::DecodeRecord(std::string_view(payload).substr(4), columns);
            if (table.rowIdColumn) {
                // The engine shows the row number in place of the (NULL)
                // INTEGER PRIMARY KEY slot.
                rowNumber = std::to_string(key);
                values[*table.rowIdColumn] = rowNumber;
            }
            if (onRow) onRow(key, values);
        });
    }
};

OldFormatReader::OldFormatReader(std::string_view fileBytes) : impl_(std::make_unique<Impl>()) {
    impl_->bytes = fileBytes;
    impl_->ReadPageOne();
    impl_->ReadSchema();
}

OldFormatReader::~OldFormatReader() = default;

const std::vector<OldSchemaEntry>& OldFormatReader::Schema() const { return impl_->schema; }

std::size_t OldFormatReader::FileSize() const { return impl_->bytes.size(); }

const OldSchemaEntry* OldFormatReader::FindTable(std::string_view name) const {
    for (const OldSchemaEntry& entry : impl_->schema) {
        if (entry.IsTable() && entry.name && detail::NamesEqual(*entry.name, name)) return &entry;
    }
    return nullptr;
}

void OldFormatReader::ReadRows(const OldSchemaEntry& table, const RowVisitor& onRow) {
    const std::size_t i = impl_->IndexOf(table);
    if (!table.IsTable()) throw std::logic_error("rows of a schema entry that is no table");
    if (impl_->walked[i]) throw std::logic_error("rows of a table read twice");
    impl_->walked[i] = true;
    impl_->WalkRows(table, onRow);
}

void OldFormatReader::Finish() {
    if (impl_->finished) return;
    impl_->finished = true;
    // Trees whose rows were not asked for (indexes, tables nobody read) are
    // still walked, so that the page accounting covers every page.
    for (std::size_t i = 0; i < impl_->schema.size(); ++i) {
        if (impl_->walked[i]) continue;
        const OldSchemaEntry& entry = impl_->schema[i];
        const std::uint32_t root = impl_->RootPageOf(entry);
        if (root == 0) continue;
        impl_->walked[i] = true;
        if (entry.IsTable()) {
            impl_->WalkRows(entry, {});
        } else {
            impl_->pages->WalkTree(root, [this](const unsigned char* page, const CellInfo& cell) {
                impl_->pages->ReadPayload(page, cell, nullptr);
            });
        }
    }
    impl_->pages->WalkFreeList(impl_->firstFreeTrunk, impl_->freePageCount);
    impl_->pages->CheckAllPagesUsed();
}

OldFileBytes ReadOldFormatFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    OldFileBytes result;
    const auto fail = [&](std::string why) {
        result.error = std::move(why);
        return result;
    };
    std::error_code ec;
    fs::path journal = path;
    journal += "-journal";
    const bool journalExists = fs::exists(fs::symlink_status(journal, ec));
    if (ec && ec != std::errc::no_such_file_or_directory) {
        return fail("cannot check for " + journal.string() + ": " + ec.message());
    }
    if (journalExists) {
        result.journal = journal;
        return fail("rollback journal " + journal.string() + " exists: the last write did not finish");
    }

    const fs::file_status status = fs::status(path, ec);
    if (ec) return fail("cannot open " + path.string() + ": " + ec.message());
    if (!fs::is_regular_file(status)) return fail(path.string() + " is not a regular file");
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return fail("cannot read the size of " + path.string() + ": " + ec.message());
    if (size > kMaxOldFormatFileBytes) return fail(path.string() + " is larger than 1 GiB");

    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("cannot open " + path.string());
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) return fail("cannot read " + path.string());
    if (in.peek() != std::char_traits<char>::eof()) return fail(path.string() + " changed while being read");
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

bool HasOldFormatHeader(std::string_view first53OrMoreBytes) {
    return first53OrMoreBytes.starts_with(kOldFormatHeader);
}

}  // namespace formet::legacy
