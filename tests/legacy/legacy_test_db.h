// Writes small SQLite 2 database images the way the 2.6 engine lays them out,
// so tests can try shapes the fixtures do not have: the other byte order, the
// standard header, deep trees, large records, odd names and values.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace formet::legacy::testing {

using Field = std::optional<std::string>;  // nullopt is NULL

struct TestRow {
    std::int32_t rowNumber;
    std::vector<Field> fields;  // exactly as stored (NULL in an INTEGER PRIMARY KEY slot)
};

enum class TreeShape {
    Bushy,  // up to `cellsPerPage` cells a page, up to 3 children per interior page
    Chain,  // every interior page has one cell whose left child is a one-cell leaf
};

class LegacyDbBuilder {
public:
    bool oldHeader = true;
    bool bigEndian = false;
    std::uint32_t fileFormat = 3;
    std::size_t cellsPerPage = 4;
    TreeShape shape = TreeShape::Bushy;
    std::uint32_t freePages = 0;  // appended as one trunk and its leaves (at most 255)

    // A table with its CREATE text and rows (any order; stored by row number).
    void AddTable(const std::string& name, const std::string& createSql, std::vector<TestRow> rows);
    // A schema row without rows of its own (view, trigger); an "index" row gets
    // an empty b-tree of its own. `rootPage` replaces the root page text the
    // builder would write ("0", or the index's page).
    void AddSchemaRow(const std::string& type, const std::string& name, const Field& sql,
                      const Field& rootPage = std::nullopt);

    std::string Build();

    // Filled by Build(): root page of each table or index, by name.
    std::map<std::string, std::uint32_t> rootPages;

private:
    struct Entry {
        std::string type;
        std::string name;
        Field sql;
        std::vector<TestRow> rows;
        Field rootPage;
    };
    struct Cell {
        std::string key;
        std::string data;
    };

    using Page = std::string;  // kPageSize bytes

    void Put16(Page& page, std::size_t at, std::uint32_t v) const;
    void Put32(Page& page, std::size_t at, std::uint32_t v) const;
    std::uint32_t NewPage();
    std::uint32_t BuildTree(const std::vector<Cell>& cells, std::size_t lo, std::size_t hi, std::uint32_t forcedPage);
    void WritePage(std::uint32_t pgno, std::uint32_t rightChild, const std::vector<const Cell*>& cells,
                   const std::vector<std::uint32_t>& leftChildren);
    std::vector<Cell> CellsOf(const std::vector<TestRow>& rows) const;

    std::vector<Entry> entries_;
    std::vector<Page> pages_;
};

// The record bytes the engine writes for these fields.
std::string EncodeRecord(const std::vector<Field>& fields);
// The 4-byte table key of a row number.
std::string EncodeKey(std::int32_t rowNumber);

}  // namespace formet::legacy::testing
