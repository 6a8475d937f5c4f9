#include "store/legacy/legacy_dump.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "store/legacy/legacy_sql.h"

namespace formet::legacy {

namespace {

// The dump never needs to be much longer than the file (a NULL costs one
// offset byte and prints as "NULL,"); anything far beyond is refused.
constexpr std::size_t kOutputFactor = 16;
constexpr std::size_t kOutputSlack = std::size_t{1} << 20;

// The sort key of ".dump": ORDER BY substr(type,2,1), name.
int CompareDumpOrder(const OldSchemaEntry& a, const OldSchemaEntry& b) {
    const auto secondLetter = [](const OldSchemaEntry& r) -> std::optional<std::string> {
        if (!r.type) return std::nullopt;
        return r.type->size() >= 2 ? r.type->substr(1, 1) : std::string();
    };
    const int byType = detail::OrderByCompare(secondLetter(a), secondLetter(b));
    return byType != 0 ? byType : detail::OrderByCompare(a.name, b.name);
}

// Stable merge sort. Needs nothing of the comparison (the engine's is not a
// strict weak order for every input), so a damaged schema cannot derail it.
void MergeSort(std::vector<const OldSchemaEntry*>& items) {
    std::vector<const OldSchemaEntry*> buffer(items.size());
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
    Dumper(std::string_view bytes, const DumpOptions& options) : reader_(bytes), options_(options) {}

    std::string Run() {
        std::vector<const OldSchemaEntry*> dumped;
        for (const OldSchemaEntry& entry : reader_.Schema()) {
            if (entry.type && *entry.type != "meta" && entry.sql) dumped.push_back(&entry);
        }
        MergeSort(dumped);

        out_ = "BEGIN TRANSACTION;\n";
        for (const OldSchemaEntry* entry : dumped) {
            out_ += *entry->sql;
            out_ += ";\n";
            CheckOutputSize();
            if (entry->IsTable()) DumpTableRows(*entry);
        }
        reader_.Finish();
        out_ += "COMMIT;\n";
        return std::move(out_);
    }

private:
    void AppendValue(const OldValue& value) {
        if (!value) {
            out_ += "NULL";
        } else if (!options_.quoteAllValues && detail::ShellLooksNumeric(*value)) {
            out_ += *value;
        } else {
            detail::AppendQuoted(out_, *value);
        }
    }

    void DumpTableRows(const OldSchemaEntry& table) {
        std::string prefix = "INSERT INTO ";
        detail::AppendTableName(prefix, *table.name);
        prefix += " VALUES(";
        reader_.ReadRows(table, [&](std::int32_t, const std::vector<OldValue>& values) {
            out_ += prefix;
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (i > 0) out_ += ',';
                AppendValue(values[i]);
            }
            out_ += ");\n";
            CheckOutputSize();
        });
    }

    void CheckOutputSize() const {
        if (out_.size() > reader_.FileSize() * kOutputFactor + kOutputSlack) {
            throw DamagedFile("dump grows beyond " + std::to_string(kOutputFactor) + " times the file size");
        }
    }

    OldFormatReader reader_;
    DumpOptions options_;
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
    const OldFileBytes file = ReadOldFormatFile(path);
    if (!file.ok) return Failure(file.error);
    return DumpOldFormat(file.bytes, options);
}

}  // namespace formet::legacy
