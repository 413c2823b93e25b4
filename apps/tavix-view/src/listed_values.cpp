#include "listed_values.h"

#include <tavix/sqlite/database.h>
#include <tavix/sqlite/error.h>

#include <algorithm>
#include <optional>
#include <string_view>

namespace tavix::view {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIdentifier(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

enum class Kind { Word, QuotedName, String, Symbol };

struct Token {
    Kind kind;
    std::string text;
};

bool IsWordChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '$'
        || u >= 0x80;
}

// The text between sql[i] and `close`, a doubled closer standing for itself
// (SQLite's brackets have no escape); false when it never closes.
bool ReadQuoted(std::string_view sql, size_t& i, char close, std::string& out)
{
    for (++i; i < sql.size(); ++i) {
        if (sql[i] != close) {
            out += sql[i];
        } else if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
            out += close;
            ++i;
        } else {
            ++i;
            return true;
        }
    }
    return false;
}

// Words, quoted names, string literals and single-character symbols; comments and
// white space dropped. Empty when a quote is left open: nothing of it can be trusted.
std::vector<Token> Tokenize(std::string_view sql)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
            continue;
        }
        if (sql.substr(i, 2) == "--" || sql.substr(i, 2) == "/*") {
            const bool line = sql[i] == '-';
            const size_t end = sql.find(line ? "\n" : "*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + (line ? 1 : 2);
            continue;
        }
        Token token { Kind::Symbol, {} };
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            token.kind = c == '\'' ? Kind::String : Kind::QuotedName;
            if (!ReadQuoted(sql, i, c == '[' ? ']' : c, token.text))
                return {};
        } else if (IsWordChar(c)) {
            token.kind = Kind::Word;
            while (i < sql.size() && IsWordChar(sql[i]))
                token.text += sql[i++];
        } else {
            token.text.assign(1, c);
            ++i;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

// Reads `( name IN ( 'a' , ... ) [OR name IS NULL] )` from the token after CHECK on.
class ListReader {
public:
    ListReader(const std::vector<Token>& tokens, size_t at)
        : tokens_(tokens)
        , i_(at)
    {
    }

    std::optional<std::pair<std::string, std::vector<std::string>>> Read()
    {
        std::string column;
        if (!Symbol('(') || !Name(column) || !Keyword("IN") || !Symbol('('))
            return std::nullopt;
        std::vector<std::string> values;
        do {
            if (i_ >= tokens_.size() || tokens_[i_].kind != Kind::String)
                return std::nullopt;
            const std::string& value = tokens_[i_++].text;
            if (std::find(values.begin(), values.end(), value) == values.end())
                values.push_back(value);
        } while (Symbol(','));
        if (!Symbol(')'))
            return std::nullopt;
        std::string again;
        if (Keyword("OR") && !(Name(again) && SameIdentifier(again, column) && Keyword("IS") && Keyword("NULL")))
            return std::nullopt;
        if (!Symbol(')'))
            return std::nullopt;
        return std::make_pair(std::move(column), std::move(values));
    }

private:
    bool Symbol(char c)
    {
        if (i_ >= tokens_.size() || tokens_[i_].kind != Kind::Symbol || tokens_[i_].text[0] != c)
            return false;
        ++i_;
        return true;
    }
    bool Keyword(std::string_view word)
    {
        if (i_ >= tokens_.size() || tokens_[i_].kind != Kind::Word || !SameIdentifier(tokens_[i_].text, word))
            return false;
        ++i_;
        return true;
    }
    bool Name(std::string& out)
    {
        if (i_ >= tokens_.size() || (tokens_[i_].kind != Kind::Word && tokens_[i_].kind != Kind::QuotedName))
            return false;
        out = tokens_[i_++].text;
        return true;
    }

    const std::vector<Token>& tokens_;
    size_t i_;
};

}  // namespace

bool IdentifierLess::operator()(const std::string& a, const std::string& b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
    });
}

ListedValues ListedValuesOf(const std::string& createTable)
{
    ListedValues lists;
    const std::vector<Token> tokens = Tokenize(createTable);
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k].kind != Kind::Word || !SameIdentifier(tokens[k].text, "CHECK"))
            continue;
        auto list = ListReader(tokens, k + 1).Read();
        if (!list)
            continue;
        auto [it, fresh] = lists.try_emplace(list->first, list->second);
        if (!fresh)
            std::erase_if(it->second, [&](const std::string& value) {
                return std::find(list->second.begin(), list->second.end(), value) == list->second.end();
            });
    }
    return lists;
}

ListedValues ListedValuesOf(sqlite::Database& db, const std::string& table)
{
    try {
        sqlite::Statement st
            = db.Prepare("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
        st.Bind(1, table);
        if (st.Step() && st.ColumnStorage(0) == sqlite::Storage::Text)
            return ListedValuesOf(st.Text(0));
    } catch (const sqlite::Error&) {
        // A database whose schema cannot be read offers no lists.
    }
    return {};
}

void ShowListsAsCombos(std::vector<ColumnInfo>& columns, const ListedValues& lists)
{
    for (ColumnInfo& column : columns) {
        if (column.type != sqlite::FieldType::Text)
            continue;
        const auto it = lists.find(column.name);
        if (it == lists.end() || it->second.empty())
            continue;
        column.cellType = tvCellCombo;
        column.comboItems = it->second;
    }
}

}  // namespace tavix::view
