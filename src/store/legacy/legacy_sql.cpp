#include "store/legacy/legacy_sql.h"

#include <charconv>
#include <cstdint>
#include <vector>

#include "store/legacy/legacy_pages.h"

namespace formet::legacy::detail {

namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
unsigned char Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }
// Identifier characters of the old tokenizer: letters, digits, '_' and every
// byte from 0x80 up.
bool IsIdChar(unsigned char c) { return IsAlpha(c) || IsDigit(c) || c == '_' || c >= 0x80; }

// ---------------------------------------------------------------------------
// Tokens of a CREATE TABLE statement.

enum class TokKind { Word, Quoted, Bracketed, Number, LParen, RParen, Comma, Semicolon, Other };

struct Token {
    TokKind kind;
    std::size_t begin;
    std::size_t end;           // one past the last byte
    std::string_view keyword;  // for a Word that is one of kKeywords: that entry
};

// The words the parser looks for, in upper case.
constexpr std::string_view kKeywords[] = {
    "AS",  "CHECK", "COLLATE", "CONSTRAINT", "CREATE", "DEFAULT", "DEFERRABLE", "FOREIGN", "KEY",
    "NOT", "NULL",  "PRIMARY", "REFERENCES", "TABLE",  "TEMP",    "TEMPORARY",  "UNIQUE",
};

std::string_view KeywordOf(std::string_view word) {
    for (std::string_view k : kKeywords) {
        if (NamesEqual(word, k)) return k;
    }
    return {};
}

std::vector<Token> Tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    tokens.reserve(sql.size() / 4);
    const auto at = [&](std::size_t i) -> unsigned char { return i < sql.size() ? static_cast<unsigned char>(sql[i]) : 0; };
    std::size_t i = 0;
    while (i < sql.size()) {
        const unsigned char c = at(i);
        const std::size_t start = i;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r') {
            ++i;
        } else if (c == '-' && at(i + 1) == '-') {
            while (i < sql.size() && sql[i] != '\n') ++i;
        } else if (c == '/' && at(i + 1) == '*') {
            const std::size_t close = sql.find("*/", i + 2);
            i = close == std::string_view::npos ? sql.size() : close + 2;
        } else if (c == '\'' || c == '"') {
            ++i;
            for (;;) {
                if (i >= sql.size()) throw DamagedFile("unterminated quoted text in CREATE statement");
                if (static_cast<unsigned char>(sql[i]) == c) {
                    if (at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            tokens.push_back({TokKind::Quoted, start, i, {}});
        } else if (c == '[') {
            const std::size_t close = sql.find(']', i + 1);
            if (close == std::string_view::npos) throw DamagedFile("unterminated [name] in CREATE statement");
            i = close + 1;
            tokens.push_back({TokKind::Bracketed, start, i, {}});
        } else if (IsDigit(c)) {
            while (IsDigit(at(i))) ++i;
            if (at(i) == '.') {
                ++i;
                while (IsDigit(at(i))) ++i;
            }
            if ((at(i) == 'e' || at(i) == 'E') &&
                (IsDigit(at(i + 1)) || ((at(i + 1) == '+' || at(i + 1) == '-') && IsDigit(at(i + 2))))) {
                i += 2;
                while (IsDigit(at(i))) ++i;
            }
            tokens.push_back({TokKind::Number, start, i, {}});
        } else if (IsIdChar(c)) {
            while (IsIdChar(at(i))) ++i;
            tokens.push_back({TokKind::Word, start, i, KeywordOf(sql.substr(start, i - start))});
        } else {
            ++i;
            const TokKind kind = c == '('   ? TokKind::LParen
                                 : c == ')' ? TokKind::RParen
                                 : c == ',' ? TokKind::Comma
                                 : c == ';' ? TokKind::Semicolon
                                            : TokKind::Other;
            tokens.push_back({kind, start, i, {}});
        }
    }
    return tokens;
}

class CreateTableParser {
public:
    explicit CreateTableParser(std::string_view sql) : sql_(sql), tokens_(Tokenize(sql)) {}

    TableShape Parse() {
        ExpectWord("CREATE");
        if (IsWord(pos_, "TEMP") || IsWord(pos_, "TEMPORARY")) ++pos_;
        ExpectWord("TABLE");
        TableShape shape;
        shape.name = TakeName("table name");
        if (IsWord(pos_, "AS")) throw DamagedFile("CREATE TABLE ... AS SELECT is not supported");
        if (Kind(pos_) != TokKind::LParen) throw DamagedFile("CREATE TABLE without a column list");
        ++pos_;

        // Split the list at its top-level commas.
        std::vector<std::pair<std::size_t, std::size_t>> items;
        std::size_t itemStart = pos_;
        int depth = 1;
        for (;; ++pos_) {
            if (pos_ >= tokens_.size()) throw DamagedFile("CREATE TABLE column list is not closed");
            const TokKind k = tokens_[pos_].kind;
            if (k == TokKind::LParen) ++depth;
            if (k == TokKind::RParen && --depth == 0) break;
            if (k == TokKind::Comma && depth == 1) {
                items.emplace_back(itemStart, pos_);
                itemStart = pos_ + 1;
            }
        }
        items.emplace_back(itemStart, pos_);
        ++pos_;
        if (Kind(pos_) == TokKind::Semicolon) ++pos_;
        if (pos_ != tokens_.size()) throw DamagedFile("text after the CREATE TABLE statement");

        bool inConstraints = false;
        for (const auto& [first, last] : items) {
            if (first == last) throw DamagedFile("empty item in CREATE TABLE column list");
            if (IsTableConstraint(first)) {
                inConstraints = true;
                ReadTableConstraint(first, last);
            } else if (inConstraints) {
                throw DamagedFile("column definition after a table constraint");
            } else {
                ReadColumn(first, last);
            }
        }
        if (columns_.empty()) throw DamagedFile("CREATE TABLE without columns");
        if (primaryKeys_ > 1) throw DamagedFile("table " + shape.name + " has more than one primary key");

        shape.columnCount = columns_.size();
        for (const Column& c : columns_) shape.columns.push_back(c.name);
        if (primaryKeys_ == 1) {
            std::optional<std::size_t> column = pkColumn_;
            if (!column && pkListNames_.size() == 1) {
                for (std::size_t c = 0; c < columns_.size(); ++c) {
                    if (NamesEqual(columns_[c].name, pkListNames_[0])) {
                        column = c;
                        break;
                    }
                }
                if (!column) throw DamagedFile("primary key names no column of table " + shape.name);
            }
            // The engine takes the declared type with its blanks removed.
            if (column && NamesEqual(columns_[*column].type, "INTEGER")) shape.rowIdColumn = column;
        }
        return shape;
    }

private:
    struct Column {
        std::string name;
        std::string type;  // declared type without blanks
    };

    TokKind Kind(std::size_t i) const { return i < tokens_.size() ? tokens_[i].kind : TokKind::Other; }
    std::string_view Text(std::size_t i) const {
        return sql_.substr(tokens_[i].begin, tokens_[i].end - tokens_[i].begin);
    }
    // `word` must be one of kKeywords.
    bool IsWord(std::size_t i, std::string_view word) const {
        return i < tokens_.size() && tokens_[i].kind == TokKind::Word && tokens_[i].keyword == word;
    }
    void ExpectWord(std::string_view word) {
        if (!IsWord(pos_, word)) throw DamagedFile("schema text is not a CREATE TABLE statement");
        ++pos_;
    }
    bool IsName(std::size_t i) const {
        const TokKind k = Kind(i);
        return k == TokKind::Word || k == TokKind::Quoted || k == TokKind::Bracketed;
    }
    std::string Dequoted(std::size_t i) const {
        const std::string_view t = Text(i);
        if (tokens_[i].kind == TokKind::Bracketed) return std::string(t.substr(1, t.size() - 2));
        if (tokens_[i].kind != TokKind::Quoted) return std::string(t);
        const char q = t.front();
        std::string out;
        for (std::size_t k = 1; k + 1 < t.size(); ++k) {
            out += t[k];
            if (t[k] == q) ++k;  // a doubled quote stands for one
        }
        return out;
    }
    std::string TakeName(const char* what) {
        if (!IsName(pos_)) throw DamagedFile(std::string("CREATE TABLE lacks a ") + what);
        return Dequoted(pos_++);
    }

    // Words that end a column's type and start its constraints.
    bool EndsType(std::size_t i) const {
        for (const char* w : {"CONSTRAINT", "DEFAULT", "NULL", "NOT", "PRIMARY", "UNIQUE", "CHECK", "REFERENCES",
                              "COLLATE", "DEFERRABLE"}) {
            if (IsWord(i, w)) return true;
        }
        return false;
    }

    bool IsTableConstraint(std::size_t i) const {
        return IsWord(i, "CONSTRAINT") || IsWord(i, "PRIMARY") || IsWord(i, "UNIQUE") || IsWord(i, "CHECK") ||
               IsWord(i, "FOREIGN");
    }

    // Index just past the parenthesis closing the one at `open`, within `last`.
    std::size_t SkipParens(std::size_t open, std::size_t last) const {
        int depth = 0;
        for (std::size_t i = open; i < last; ++i) {
            if (tokens_[i].kind == TokKind::LParen) ++depth;
            if (tokens_[i].kind == TokKind::RParen && --depth == 0) return i + 1;
        }
        throw DamagedFile("unbalanced parentheses in CREATE TABLE");
    }

    void ReadColumn(std::size_t first, std::size_t last) {
        if (!IsName(first)) throw DamagedFile("CREATE TABLE column lacks a name");
        Column column{Dequoted(first), {}};
        std::size_t i = first + 1;
        while (i < last && (Kind(i) == TokKind::Word || Kind(i) == TokKind::Quoted) && !EndsType(i)) ++i;
        if (i > first + 1 && i < last && Kind(i) == TokKind::LParen) i = SkipParens(i, last);
        if (i > first + 1) {
            for (char ch : sql_.substr(tokens_[first + 1].begin, tokens_[i - 1].end - tokens_[first + 1].begin)) {
                if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\f' && ch != '\r' && ch != '\v') column.type += ch;
            }
        }
        for (; i + 1 < last; ++i) {
            if (IsWord(i, "PRIMARY") && IsWord(i + 1, "KEY")) {
                ++primaryKeys_;
                pkColumn_ = columns_.size();
            }
        }
        columns_.push_back(std::move(column));
    }

    void ReadTableConstraint(std::size_t first, std::size_t last) {
        std::size_t i = first;
        if (IsWord(i, "CONSTRAINT")) i += 2;  // CONSTRAINT name
        if (!(IsWord(i, "PRIMARY") && IsWord(i + 1, "KEY"))) return;
        i += 2;
        if (i >= last || Kind(i) != TokKind::LParen) throw DamagedFile("PRIMARY KEY without a column list");
        const std::size_t close = SkipParens(i, last) - 1;
        ++primaryKeys_;
        pkColumn_.reset();
        pkListNames_.clear();
        bool expectName = true;
        for (std::size_t k = i + 1; k < close; ++k) {
            if (Kind(k) == TokKind::Comma) {
                expectName = true;
            } else if (expectName) {
                if (!IsName(k)) throw DamagedFile("PRIMARY KEY list holds no column name");
                pkListNames_.push_back(Dequoted(k));
                expectName = false;
            }
        }
        if (pkListNames_.empty()) throw DamagedFile("empty PRIMARY KEY list");
    }

    std::string_view sql_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    std::vector<Column> columns_;
    int primaryKeys_ = 0;
    std::optional<std::size_t> pkColumn_;
    std::vector<std::string> pkListNames_;
};

// ---------------------------------------------------------------------------
// ORDER BY comparison of the engine for file format 3.

// Character classes and states for comparing numbers inside texts: text,
// space, digit, '-', '.'.
unsigned char CharClass(unsigned char c) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\f') return 1;
    if (IsDigit(c)) return 2;
    if (c == '-') return 3;
    if (c == '.') return 4;
    return 0;
}

constexpr unsigned char kNextState[6][5] = {
    {1, 0, 2, 3, 1},  // beginning of word
    {1, 0, 2, 1, 1},  // arbitrary text
    {1, 0, 2, 1, 4},  // integer
    {1, 0, 3, 1, 5},  // negative integer
    {1, 0, 4, 1, 1},  // real number
    {1, 0, 5, 1, 1},  // negative real number
};

// Compares two NUL-terminated texts; runs of digits compare by value.
int CompareTexts(const unsigned char* a, const unsigned char* b, bool useCase) {
    unsigned char ca = 0;
    unsigned char cb = 0;
    int state = 0;
    if (useCase) {
        do {
            ca = *a++;
            cb = *b++;
            if (ca != cb) break;
            state = kNextState[state][CharClass(ca)];
        } while (ca != 0);
    } else {
        do {
            ca = Lower(*a++);
            cb = Lower(*b++);
            if (ca != cb) break;
            state = kNextState[state][CharClass(ca)];
        } while (ca != 0);
        // Punctuation between the two letter ranges compares by its own code.
        if (ca >= '[' && ca <= '`') cb = b[-1];
        if (cb >= '[' && cb <= '`') ca = a[-1];
    }
    if ((state == 0 || state == 1) && IsDigit(ca) && IsDigit(cb)) state = 2;
    switch (state) {
        case 2:
        case 3: {
            int result;
            if (IsDigit(ca)) {
                if (IsDigit(cb)) {
                    int aDigits = 0;
                    int bDigits = 0;
                    while (IsDigit(*a++)) ++aDigits;
                    while (IsDigit(*b++)) ++bDigits;
                    result = aDigits - bDigits;
                    if (result == 0) result = ca - cb;
                } else {
                    result = 1;
                }
            } else if (IsDigit(cb)) {
                result = -1;
            } else if (ca == '.') {
                result = 1;
            } else if (cb == '.') {
                result = -1;
            } else {
                result = ca - cb;
                state = 2;
            }
            return state == 3 ? -result : result;
        }
        case 5:
            return cb - ca;
        default:
            return ca - cb;
    }
}

// The engine's "is a number" test for sorting (an empty text counts).
bool SortLooksNumeric(std::string_view z) {
    std::size_t i = 0;
    const auto at = [&](std::size_t k) -> unsigned char { return k < z.size() ? static_cast<unsigned char>(z[k]) : 0; };
    if (at(i) == '-' || at(i) == '+') ++i;
    if (!IsDigit(at(i))) return i == z.size();
    while (IsDigit(at(i))) ++i;
    if (at(i) == '.') {
        ++i;
        if (!IsDigit(at(i))) return false;
        while (IsDigit(at(i))) ++i;
        if (at(i) == 'e' || at(i) == 'E') {
            ++i;
            if (at(i) == '+' || at(i) == '-') ++i;
            if (!IsDigit(at(i))) return false;
            while (IsDigit(at(i))) ++i;
        }
    }
    return i == z.size();
}

double NumberValue(std::string_view z) {
    bool negative = false;
    if (!z.empty() && (z[0] == '-' || z[0] == '+')) {
        negative = z[0] == '-';
        z.remove_prefix(1);
    }
    double value = 0;
    std::from_chars(z.data(), z.data() + z.size(), value);
    return negative ? -value : value;
}

}  // namespace

TableShape ParseCreateTable(std::string_view sql) { return CreateTableParser(sql).Parse(); }

int OrderByCompare(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    const bool aNumeric = SortLooksNumeric(*a);
    const bool bNumeric = SortLooksNumeric(*b);
    if (aNumeric || bNumeric) {
        if (!bNumeric) return -1;
        if (!aNumeric) return 1;
        const double x = NumberValue(*a);
        const double y = NumberValue(*b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    // Texts reach here without NUL bytes (values end at their first NUL), so
    // c_str() ends each exactly where the engine's C string ended.
    const auto* x = reinterpret_cast<const unsigned char*>(a->c_str());
    const auto* y = reinterpret_cast<const unsigned char*>(b->c_str());
    const int folded = CompareTexts(x, y, false);
    return folded != 0 ? folded : CompareTexts(x, y, true);
}

bool ShellLooksNumeric(std::string_view z) {
    std::size_t i = 0;
    const auto at = [&](std::size_t k) -> unsigned char { return k < z.size() ? static_cast<unsigned char>(z[k]) : 0; };
    bool sawDigit = false;
    if (at(i) == '-' || at(i) == '+') ++i;
    while (IsDigit(at(i))) {
        sawDigit = true;
        ++i;
    }
    if (!sawDigit) return false;
    if (at(i) == '.') {
        ++i;
        while (IsDigit(at(i))) ++i;
    }
    if ((at(i) == 'e' || at(i) == 'E') &&
        (IsDigit(at(i + 1)) || ((at(i + 1) == '+' || at(i + 1) == '-') && IsDigit(at(i + 2))))) {
        i += 2;
        while (IsDigit(at(i))) ++i;
    }
    return i == z.size();
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '\'';
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    out += '\'';
}

void AppendTableName(std::string& out, std::string_view name) {
    bool needQuote = name.empty() || (!IsAlpha(static_cast<unsigned char>(name[0])) && name[0] != '_');
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (!IsAlpha(u) && !IsDigit(u) && c != '_') needQuote = true;
    }
    if (needQuote) {
        AppendQuoted(out, name);
    } else {
        out += name;
    }
}

bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(static_cast<unsigned char>(a[i])) != Lower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

}  // namespace formet::legacy::detail
