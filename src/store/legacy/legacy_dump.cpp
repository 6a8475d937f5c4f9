#include "store/legacy/legacy_dump.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "store/legacy/legacy_pages.h"
#include "store/legacy/legacy_sql.h"

namespace formet::legacy {

namespace {

using detail::CellInfo;
using detail::DamagedFile;
using detail::PageFile;
using detail::Value;

// Page one of a file in the engine's own layout starts with this text and a
// NUL; the old-release layout starts with kOldFormatHeader, a NUL and two
// padding bytes, which moves the magic and everything after it 8 bytes later.
constexpr std::string_view kStandardHeader{"** This file contains an SQLite 2.1 database **\0", 48};
constexpr std::size_t kStandardMagicOffset = 48;
constexpr std::size_t kOldMagicOffset = 56;
constexpr std::uint32_t kMagic = 0xDAE37528u;
constexpr std::uint32_t kSchemaRootPage = 2;
constexpr std::size_t kSchemaColumns = 5;  // type, name, tbl_name, rootpage, sql

// The dump never needs to be much longer than the file (a NULL costs one
// offset byte and prints as "NULL,"); anything far beyond is refused.
constexpr std::size_t kOutputFactor = 16;
constexpr std::size_t kOutputSlack = std::size_t{1} << 20;

std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::optional<std::string> Owned(const Value& v) {
    if (!v) return std::nullopt;
    return std::string(*v);
}

struct SchemaRow {
    std::optional<std::string> type;
    std::optional<std::string> name;
    std::optional<std::string> rootPage;
    std::optional<std::string> sql;
    std::optional<detail::TableShape> table;  // what the CREATE TABLE text says, for tables
};

// The sort key of ".dump": ORDER BY substr(type,2,1), name.
int CompareDumpOrder(const SchemaRow& a, const SchemaRow& b) {
    const auto secondLetter = [](const SchemaRow& r) -> std::optional<std::string> {
        if (!r.type) return std::nullopt;
        return r.type->size() >= 2 ? r.type->substr(1, 1) : std::string();
    };
    const int byType = detail::OrderByCompare(secondLetter(a), secondLetter(b));
    return byType != 0 ? byType : detail::OrderByCompare(a.name, b.name);
}

// Stable merge sort. Needs nothing of the comparison (the engine's is not a
// strict weak order for every input), so a damaged schema cannot derail it.
void MergeSort(std::vector<const SchemaRow*>& items) {
    std::vector<const SchemaRow*> buffer(items.size());
    for (std::size_t width = 1; width < items.size(); width *= 2) {
        for (std::size_t lo = 0; lo < items.size(); lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, items.size());
            const std::size_t hi = std::min(lo + 2 * width, items.size());
            std::size_t i = lo;
            std::size_t j = mid;
            std::size_t k = lo;
            while (i < mid && j < hi) buffer[k++] = CompareDumpOrder(*items[j], *items[i]) < 0 ? items[j++] : items[i++];
            while (i < mid) buffer[k++] = items[i++];
            while (j < hi) buffer[k++] = items[j++];
        }
        items.swap(buffer);
    }
}

class Dumper {
public:
    Dumper(std::string_view bytes, const DumpOptions& options) : bytes_(bytes), options_(options) {}

    std::string Run() {
        ReadPageOne();
        ReadSchema();

        std::vector<const SchemaRow*> dumped;
        for (const SchemaRow& row : schema_) {
            if (row.type && *row.type != "meta" && row.sql) dumped.push_back(&row);
        }
        MergeSort(dumped);

        out_ = "BEGIN TRANSACTION;\n";
        for (const SchemaRow* row : dumped) {
            out_ += *row->sql;
            out_ += ";\n";
            CheckOutputSize();
            if (IsTable(*row)) DumpTableRows(*row);
        }

        // Trees whose rows are not dumped (indexes) are still walked, so that
        // the page accounting below covers every page of the file.
        for (const SchemaRow& row : schema_) {
            const std::uint32_t root = RootPageOf(row);
            if (root != 0 && !IsTable(row)) {
                pages_->WalkTree(root, [this](const unsigned char* page, const CellInfo& cell) {
                    pages_->ReadPayload(page, cell, nullptr);
                });
            }
        }
        pages_->WalkFreeList(firstFreeTrunk_, freePageCount_);
        pages_->CheckAllPagesUsed();

        out_ += "COMMIT;\n";
        return std::move(out_);
    }

private:
    void ReadPageOne() {
        if (bytes_.empty()) throw DamagedFile("the file is empty");
        if (bytes_.size() > kMaxOldFormatFileBytes) throw DamagedFile("the file is larger than 1 GiB");
        if (bytes_.size() % detail::kPageSize != 0) {
            throw DamagedFile("file size " + std::to_string(bytes_.size()) + " is not a multiple of 1024");
        }
        if (bytes_.size() < 2 * detail::kPageSize) throw DamagedFile("the file has fewer than 2 pages");

        std::size_t magicOffset = 0;
        if (bytes_.substr(0, kOldFormatHeader.size()) == kOldFormatHeader && bytes_[kOldFormatHeader.size()] == '\0') {
            magicOffset = kOldMagicOffset;
        } else if (bytes_.substr(0, kStandardHeader.size()) == kStandardHeader) {
            magicOffset = kStandardMagicOffset;
        } else {
            throw DamagedFile("page one does not start with a database header");
        }

        const auto* m = reinterpret_cast<const unsigned char*>(bytes_.data()) + magicOffset;
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
        pages_.emplace(bytes_, bigEndian);
        pages_->Claim(1, detail::PageUse::PageOne, "page one");

        firstFreeTrunk_ = pages_->U32(m + 4);
        freePageCount_ = pages_->U32(m + 8);
        const std::uint32_t fileFormat = pages_->U32(m + 16);  // after the schema cookie
        if (fileFormat != 3 && fileFormat != 4) {
            throw DamagedFile("unsupported file format number " + std::to_string(fileFormat) +
                              " (only 3 and 4 are read)");
        }
    }

    void ReadSchema() {
        std::optional<std::int32_t> lastKey;
        std::string payload;
        pages_->WalkTree(kSchemaRootPage, [&](const unsigned char* page, const CellInfo& cell) {
            pages_->ReadPayload(page, cell, &payload);
            KeyOf(payload, cell, lastKey);
            const std::vector<Value> v = detail::DecodeRecord(std::string_view(payload).substr(4), kSchemaColumns);
            schema_.push_back(SchemaRow{Owned(v[0]), Owned(v[1]), Owned(v[3]), Owned(v[4]), std::nullopt});
        });

        std::set<std::string> tableNames;  // in lower case, as the engine matches them
        for (SchemaRow& row : schema_) {
            (void)RootPageOf(row);  // checks the text
            if (!IsTable(row)) continue;
            if (!row.sql) throw DamagedFile("schema row of a table without CREATE TABLE text");
            if (!row.name) throw DamagedFile("schema row of a table without a name");
            if (RootPageOf(row) == 0) throw DamagedFile("table " + *row.name + " has no root page");
            detail::TableShape shape = detail::ParseCreateTable(*row.sql);
            if (!detail::NamesEqual(shape.name, *row.name)) {
                throw DamagedFile("schema row names table " + *row.name + " but creates " + shape.name);
            }
            if (!tableNames.insert(LowerCase(*row.name)).second) {
                throw DamagedFile("table " + *row.name + " is defined twice");
            }
            row.table = std::move(shape);
        }
    }

    // Every table row has CREATE text and a shape (checked in ReadSchema), so
    // every table is dumped with its rows.
    static bool IsTable(const SchemaRow& row) { return row.type && *row.type == "table"; }

    // Root page of a schema row: 0 for none (views, triggers).
    std::uint32_t RootPageOf(const SchemaRow& row) const {
        if (!row.rootPage || row.rootPage->empty()) return 0;
        const std::string& text = *row.rootPage;
        std::uint64_t value = 0;
        for (char c : text) {
            if (c < '0' || c > '9' || text.size() > 10) throw DamagedFile("schema row has root page '" + text + "'");
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if (value > pages_->PageCount()) throw DamagedFile("root page " + text + " is outside the file");
        return static_cast<std::uint32_t>(value);
    }

    // Row number of a table cell; keys must ascend strictly.
    static std::int32_t KeyOf(const std::string& payload, const CellInfo& cell, std::optional<std::int32_t>& lastKey) {
        if (cell.keySize != 4) throw DamagedFile("table key of " + std::to_string(cell.keySize) + " bytes, not 4");
        const std::int32_t key = detail::DecodeTableKey(std::string_view(payload).substr(0, 4));
        if (lastKey && key <= *lastKey) throw DamagedFile("table keys out of order");
        lastKey = key;
        return key;
    }

    void AppendValue(const Value& value) {
        if (!value) {
            out_ += "NULL";
        } else if (!options_.quoteAllValues && detail::ShellLooksNumeric(*value)) {
            out_ += *value;
        } else {
            detail::AppendQuoted(out_, *value);
        }
    }

    void DumpTableRows(const SchemaRow& row) {
        const detail::TableShape& shape = *row.table;
        std::string prefix = "INSERT INTO ";
        detail::AppendTableName(prefix, *row.name);
        prefix += " VALUES(";

        std::optional<std::int32_t> lastKey;
        std::string payload;
        pages_->WalkTree(RootPageOf(row), [&](const unsigned char* page, const CellInfo& cell) {
            pages_->ReadPayload(page, cell, &payload);
            const std::int32_t key = KeyOf(payload, cell, lastKey);
            const std::vector<Value> values =
                detail::DecodeRecord(std::string_view(payload).substr(4), shape.columnCount);
            const std::string rowNumber = std::to_string(key);
            out_ += prefix;
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (i > 0) out_ += ',';
                // The engine shows the row number in place of the (NULL)
                // INTEGER PRIMARY KEY slot.
                AppendValue(shape.rowIdColumn == i ? Value(rowNumber) : values[i]);
            }
            out_ += ");\n";
            CheckOutputSize();
        });
    }

    void CheckOutputSize() const {
        if (out_.size() > bytes_.size() * kOutputFactor + kOutputSlack) {
            throw DamagedFile("dump grows beyond " + std::to_string(kOutputFactor) + " times the file size");
        }
    }

    std::string_view bytes_;
    DumpOptions options_;
    std::optional<PageFile> pages_;
    std::uint32_t firstFreeTrunk_ = 0;
    std::uint32_t freePageCount_ = 0;
    std::vector<SchemaRow> schema_;
    std::string out_;
};

DumpResult Failure(std::string why) {
    DumpResult result;
    result.error = std::move(why);
    return result;
}

}  // namespace

DumpResult DumpOldFormat(std::string_view fileBytes, const DumpOptions& options) {
    try {
        DumpResult result;
        result.sql = Dumper(fileBytes, options).Run();
        result.ok = true;
        return result;
    } catch (const DamagedFile& e) {
        return Failure(std::string("damaged or unsupported file: ") + e.what());
    } catch (const std::bad_alloc&) {
        return Failure("out of memory while reading the file");
    } catch (const std::length_error&) {
        return Failure("out of memory while reading the file");
    }
}

DumpResult DumpOldFormatFile(const std::filesystem::path& path, const DumpOptions& options) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path journal = path;
    journal += "-journal";
    const bool journalExists = fs::exists(journal, ec);
    if (ec) return Failure("cannot check for " + journal.string() + ": " + ec.message());
    if (journalExists) {
        return Failure("rollback journal " + journal.string() + " exists: the last write did not finish");
    }

    const fs::file_status status = fs::status(path, ec);
    if (ec) return Failure("cannot open " + path.string() + ": " + ec.message());
    if (!fs::is_regular_file(status)) return Failure(path.string() + " is not a regular file");
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return Failure("cannot read the size of " + path.string() + ": " + ec.message());
    if (size > kMaxOldFormatFileBytes) return Failure(path.string() + " is larger than 1 GiB");

    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure("cannot open " + path.string());
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) return Failure("cannot read " + path.string());
    if (in.peek() != std::char_traits<char>::eof()) return Failure(path.string() + " changed while being read");
    return DumpOldFormat(bytes, options);
}

bool HasOldFormatHeader(std::string_view first53OrMoreBytes) {
    return first53OrMoreBytes.starts_with(kOldFormatHeader);
}

}  // namespace formet::legacy
