#include "plexion/backends/sql/sqlite_query.hpp"

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "plexion/platform/convert.hpp"

namespace plexion::backends {

namespace {

// How a column's values become variants.
enum class Kind { Text, Integer, UnsignedInteger, Double, Date, Blob };

// Declared type names (blanks dropped, cut at the first other sign, lower case) and their kind:
// the names SOCI's SQLite backend knows. A text-affinity name missing here reads the same, as
// SQLite stores text in such a column.
constexpr std::array<std::pair<std::string_view, Kind>, 32> kDeclaredTypes{{
    {"char", Kind::Text},
    {"character", Kind::Text},
    {"clob", Kind::Text},
    {"nativecharacter", Kind::Text},
    {"nchar", Kind::Text},
    {"nvarchar", Kind::Text},
    {"text", Kind::Text},
    {"varchar", Kind::Text},
    {"varyingcharacter", Kind::Text},
    {"boolean", Kind::Integer},
    {"int", Kind::Integer},
    {"integer", Kind::Integer},
    {"int2", Kind::Integer},
    {"intunsigned", Kind::Integer},
    {"mediumint", Kind::Integer},
    {"smallint", Kind::Integer},
    {"tinyint", Kind::Integer},
    {"tinyintunsigned", Kind::Integer},
    {"bigint", Kind::Integer},
    {"int8", Kind::Integer},
    {"unsignedbigint", Kind::UnsignedInteger},
    {"decimal", Kind::Double},
    {"double", Kind::Double},
    {"doubleprecision", Kind::Double},
    {"float", Kind::Double},
    {"number", Kind::Double},
    {"numeric", Kind::Double},
    {"real", Kind::Double},
    {"date", Kind::Date},
    {"datetime", Kind::Date},
    {"time", Kind::Date},
    {"blob", Kind::Blob},
}};

std::optional<Kind> KindOfDeclaredType(const char* declared) {
  if (!declared) return Kind::Text;  // an expression
  // ASCII only, without the locale: this runs for every column of every query.
  char name[24];
  std::size_t n = 0;
  for (const char* p = declared; *p; ++p) {
    char c = *p;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    else if (!(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9')) break;
    if (n == sizeof name) return std::nullopt;  // longer than any name known
    name[n++] = c;
  }
  const std::string_view folded(name, n);
  for (const auto& [typeName, kind] : kDeclaredTypes)
    if (typeName == folded) return kind;
  return std::nullopt;
}

Kind KindOfStoredValue(int storageClass) {
  switch (storageClass) {
    case SQLITE_INTEGER: return Kind::Integer;
    case SQLITE_FLOAT: return Kind::Double;
    default: return Kind::Text;
  }
}

Variant Narrowed(std::int64_t v) {
  if (v >= INT32_MIN && v <= INT32_MAX) return Variant(static_cast<std::int32_t>(v));
  return Variant(static_cast<double>(v));
}

// Digits at text[at, at + n), advancing at; false when any is not a digit.
bool Digits(std::string_view text, std::size_t& at, std::size_t n, int& value) {
  if (at + n > text.size()) return false;
  value = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[at + i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  at += n;
  return true;
}

bool Separator(std::string_view text, std::size_t& at, std::string_view allowed) {
  if (at >= text.size() || allowed.find(text[at]) == std::string_view::npos) return false;
  ++at;
  return true;
}

// The form dates are written in, "2036-12-31 15:04:05" (or with a T, or the date alone), read
// to the second; a fraction of a second is dropped, as the server's timestamps are.
std::optional<DateTime> ParseStoredDate(std::string_view text) {
  std::size_t at = 0;
  int y, mo, d, h = 0, mi = 0, s = 0;
  if (!Digits(text, at, 4, y) || !Separator(text, at, "-") || !Digits(text, at, 2, mo) ||
      !Separator(text, at, "-") || !Digits(text, at, 2, d))
    return std::nullopt;
  if (at < text.size()) {
    if (!Separator(text, at, " T") || !Digits(text, at, 2, h) || !Separator(text, at, ":") ||
        !Digits(text, at, 2, mi))
      return std::nullopt;
    if (at < text.size() && (!Separator(text, at, ":") || !Digits(text, at, 2, s)))
      return std::nullopt;
    if (at < text.size() && text[at] == '.') {
      for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9';) ++at;
    }
    if (at != text.size()) return std::nullopt;
  }
  try {
    return DateTime::FromParts(y, mo, d, h, mi, s > 59 ? 59 : s);
  } catch (const Error&) {
    return std::nullopt;  // a day or time that does not exist
  }
}

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) : db_(db) {
    const int rc =
        sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()) + 1, &st_, nullptr);
    if (rc != SQLITE_OK) Fail(rc, "while preparing", sql);
    if (!st_) throw SqliteError("no SQL statement in \"" + sql + "\"", 0);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement() { sqlite3_finalize(st_); }

  sqlite3_stmt* get() const { return st_; }

  [[noreturn]] void Fail(int rc, const char* doing, const std::string& sql) const {
    throw SqliteError(std::string(sqlite3_errmsg(db_)) + " " + doing + " \"" + sql + "\"", rc);
  }

  void Bind(int position, const Variant& value, const std::string& sql) {
    const SqlParam p = ToSqlParam(value);
    int rc = SQLITE_OK;
    if (const int* i = std::get_if<int>(&p)) rc = sqlite3_bind_int(st_, position, *i);
    else if (const double* d = std::get_if<double>(&p)) rc = sqlite3_bind_double(st_, position, *d);
    else if (const auto* s = std::get_if<std::string>(&p))
      rc = sqlite3_bind_text(st_, position, s->data(), static_cast<int>(s->size()),
                             SQLITE_TRANSIENT);
    else rc = sqlite3_bind_null(st_, position);
    if (rc != SQLITE_OK) Fail(rc, "while binding a parameter of", sql);
  }

  // True while there is a row.
  bool Step(const std::string& sql) {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Fail(rc, "while executing", sql);
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
};

std::string TextOf(sqlite3_stmt* st, int i) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
  const int bytes = sqlite3_column_bytes(st, i);
  return text ? std::string(text, static_cast<std::size_t>(bytes)) : std::string();
}

Variant ReadValue(sqlite3_stmt* st, int i, Kind kind) {
  if (sqlite3_column_type(st, i) == SQLITE_NULL) return Variant::Null();
  switch (kind) {
    case Kind::Text: return Variant(TextOf(st, i));
    case Kind::Integer: return Narrowed(sqlite3_column_int64(st, i));
    case Kind::UnsignedInteger: {
      const auto v = static_cast<std::uint64_t>(sqlite3_column_int64(st, i));
      return v <= INT32_MAX ? Variant(static_cast<std::int32_t>(v)) : Variant(double(v));
    }
    case Kind::Double: return Variant(sqlite3_column_double(st, i));
    case Kind::Date: {
      const std::string text = TextOf(st, i);
      if (auto date = ParseStoredDate(text)) return Variant(*date);
      throw SqliteError("column " + std::string(sqlite3_column_name(st, i)) + " holds \"" + text +
                            "\", which is not a date",
                        0);
    }
    case Kind::Blob: break;
  }
  throw SqliteError(
      "column " + std::string(sqlite3_column_name(st, i)) + " has a type Plexion does not read", 0);
}

}  // namespace

SqlParam ToSqlParam(const Variant& in) {
  const Variant v = in.Value();
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Null: return std::monostate();
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Bool: return ToInt32(v);
    case VarType::Float32:
    case VarType::Float64: return ToDouble(v);
    case VarType::Date: return ToDate(v).ToIso();
    default: return ToString(v);
  }
}

QueryResult SqliteQuery(sqlite3* db, const std::string& sql, const std::vector<Variant>& params) {
  Statement st(db, sql);
  for (std::size_t i = 0; i < params.size(); ++i) st.Bind(static_cast<int>(i) + 1, params[i], sql);

  QueryResult result;
  const int columns = sqlite3_column_count(st.get());
  std::vector<std::optional<Kind>> kinds;
  for (int i = 0; i < columns; ++i) {
    result.columns.emplace_back(sqlite3_column_name(st.get(), i));
    kinds.push_back(KindOfDeclaredType(sqlite3_column_decltype(st.get(), i)));
  }
  for (bool first = true; st.Step(sql); first = false) {
    if (first) {
      for (int i = 0; i < columns; ++i)
        if (!kinds[i]) kinds[i] = KindOfStoredValue(sqlite3_column_type(st.get(), i));
    }
    std::vector<Variant>& row = result.rows.emplace_back();
    row.reserve(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) row.push_back(ReadValue(st.get(), i, *kinds[i]));
  }
  return result;
}

}  // namespace plexion::backends
