#include "plexion/backends/sql/soci_db_service.hpp"

#include <cctype>

#include "plexion/backends/sql/sqlite_routines.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/memory_recordset.hpp"

namespace plexion::backends {

namespace {

[[noreturn]] void Fail(const std::string& message) {
  throw Error::External(status::Database, "DbService", message);
}

// Routine and type names go into SQL text: letters, digits, '_', '.' and blanks only.
const std::string& CheckName(const std::string& name, const char* what) {
  bool ok = !name.empty();
  for (char c : name)
    ok = ok && (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == ' ');
  if (!ok) Fail(std::string("\"") + name + "\" is not a valid " + what + " name");
  return name;
}

class SqlDate final : public DbDate {
 public:
  SqlDate(DateTime value, std::string sql) : value_(value), sql_(std::move(sql)) {}
  DateTime Value() const override { return value_; }
  std::string SqlText() const override { return sql_; }

 private:
  DateTime value_;
  std::string sql_;
};

class LongValue final : public DbValue {
 public:
  explicit LongValue(std::int32_t v) : v_(v) {}
  std::string SqlText() const override { return std::to_string(v_); }

 private:
  std::int32_t v_;
};

std::string Placeholders(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += (i ? ", :p" : ":p") + std::to_string(i);
  return s;
}

Variant RunRoutine(Database& db, const std::string& name, const std::vector<Variant>& args) {
  const SqliteRoutine routine = FindSqliteRoutine(name);
  if (!routine) Fail("this SQLite database provides no routine \"" + name + "\"");
  return routine(db, args);
}

}  // namespace

std::shared_ptr<Database> ThreadDatabase() {
  auto* db = dynamic_cast<SociDbService*>(&services::Locate<DbService>());
  if (!db)
    throw Error::External(status::ClassNotAvailable, "DbService",
                          "this thread's database service is not the default one");
  return db->shared();
}

std::string SqlLiteral(const Variant& in) {
  const Variant v = in.Value();
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Null: return "NULL";
    case VarType::Int16:
    case VarType::Int32: return std::to_string(ToInt32(v));
    case VarType::Bool: return ToBool(v) ? "1" : "0";
    case VarType::Float32:
    case VarType::Float64: return NumberText(ToDouble(v), 17);
    case VarType::Date: return SqlQuote(ToDate(v).ToIso());
    case VarType::String: return SqlQuote(v.StringValue());
    case VarType::Object: {
      const Ref<Object> o = v.ObjectValue();
      if (auto value = o.As<DbValue>()) return value->SqlText();
      if (auto date = o.As<DbDate>()) return date->SqlText();
      break;
    }
    default: break;
  }
  throw Error::Runtime(errnum::TypeMismatch, "a value list holds a value that has no SQL form");
}

std::vector<Variant> ParseValueList(const std::string& list) {
  std::vector<Variant> values;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < list.size() && std::isspace(static_cast<unsigned char>(list[i]))) ++i;
  };
  skipBlanks();
  if (i == list.size()) return values;
  while (true) {
    skipBlanks();
    if (i < list.size() && list[i] == '\'') {
      std::string text;
      for (++i;; ++i) {
        if (i >= list.size()) Fail("unterminated text in the value list: " + list);
        if (list[i] == '\'') {
          if (i + 1 < list.size() && list[i + 1] == '\'') {
            text += '\'';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        text += list[i];
      }
      values.emplace_back(text);
    } else {
      const std::size_t start = i;
      while (i < list.size() && list[i] != ',') ++i;
      const std::string token = Trim(list.substr(start, i - start));
      double number;
      if (EqualsNoCase(token, "NULL")) values.push_back(Variant::Null());
      else if (ParseNumber(token, number))
        values.push_back(number == std::int32_t(number) ? Variant(std::int32_t(number))
                                                        : Variant(number));
      else Fail("\"" + token + "\" in the value list is not a value");
    }
    skipBlanks();
    if (i == list.size()) break;
    if (list[i] != ',') Fail("malformed value list: " + list);
    ++i;
  }
  return values;
}

Ref<DbRecordset> SociDbService::OpenRecordset(const std::string& sql, bool, const std::string&,
                                              std::int32_t, const std::string&, const std::string&,
                                              std::int32_t timeoutSeconds) {
  if (timeoutSeconds < 0)
    throw Error::External(
        status::InvalidArg, "DbService",
        "a time-out is a number of seconds, 0 for none, not " + std::to_string(timeoutSeconds));
  QueryResult r = db_->Query(sql, {}, std::chrono::seconds(timeoutSeconds));
  return MakeRef<MemoryRecordset>(std::move(r.columns), std::move(r.rows));
}

void SociDbService::ExecuteStatement(const std::string& sql) { db_->Execute(sql); }

void SociDbService::ExecuteProcedure(const std::string& name, const VariantArray& params) {
  std::vector<Variant> args;
  for (const Variant& p : params.elements()) args.push_back(p.Value());
  if (db_->engine() == Engine::SQLite) {
    RunRoutine(*db_, name, args);
    return;
  }
  db_->Execute("CALL " + CheckName(name, "procedure") + "(" + Placeholders(args.size()) + ")",
               args);
}

std::int32_t SociDbService::CallNumericFunction(const std::string& name,
                                                const std::string& argumentList) {
  if (db_->engine() == Engine::SQLite)
    return ToInt32(RunRoutine(*db_, name, ParseValueList(argumentList)));
  const std::vector<Variant> args = ParseValueList(argumentList);
  const QueryResult r = db_->Query(
      "SELECT " + CheckName(name, "function") + "(" + Placeholders(args.size()) + ") AS value",
      args);
  return ToInt32(r.rows.at(0).at(0));
}

std::string SociDbService::FormatValueList(const VariantArray& values) {
  std::string list;
  for (const Variant& v : values.elements()) list += (list.empty() ? "" : ", ") + SqlLiteral(v);
  return list;
}

Ref<DbValue> SociDbService::MakeLongValue(std::int32_t value) { return MakeRef<LongValue>(value); }

Ref<DbDate> SociDbService::MakeDbDate(DateTime value) {
  return MakeRef<SqlDate>(value, SqlQuote(value.ToIso()));
}

Ref<DbDate> SociDbService::DbNow() {
  return MakeRef<SqlDate>(DateTime::Now(), "CURRENT_TIMESTAMP");
}

std::string SociDbService::FieldText(const Ref<DbField>& field) {
  const Variant v = field->Value();
  return v.IsNull() ? std::string() : ToString(v);
}

std::int32_t SociDbService::FieldLong(const Ref<DbField>& field) {
  const Variant v = field->Value();
  return v.IsNull() ? 0 : ToInt32(v);
}

std::int32_t SociDbService::FieldLongOrDefault(const Ref<DbField>& field, std::int32_t fallback) {
  const Variant v = field->Value();
  if (v.IsNull() || (v.IsString() && Trim(v.StringValue()).empty())) return fallback;
  return ToInt32(v);
}

DateTime SociDbService::FieldDate(const Ref<DbField>& field) {
  const Variant v = field->Value();
  return v.IsNull() ? DateTime() : ToDate(v);
}

bool SociDbService::ColumnExists(const std::string& table, const std::string& column,
                                 const std::string&, std::int32_t, const std::string&,
                                 const std::string&) {
  return db_->HasColumn(table, column);
}

void SociProcCall::AddParam(const std::string& value, const std::string& typeName,
                            const std::string&, bool) {
  const std::string type = FoldCase(Trim(typeName));
  if (type == "integer" || type == "int" || type == "long")
    values_.emplace_back(ToInt32(Variant(value)));
  else if (type == "double" || type == "float") values_.emplace_back(ToDouble(Variant(value)));
  else values_.emplace_back(value);
  types_.push_back(CheckName(type, "parameter type"));
}

Variant SociProcCall::Execute() {
  if (name_.empty()) Fail("a procedure call needs ProcName before Execute");
  if (db_->engine() == Engine::SQLite) return RunRoutine(*db_, name_, values_);
  std::string args;
  for (std::size_t i = 0; i < values_.size(); ++i)
    args += (i ? ", " : "") + std::string("CAST(:p") + std::to_string(i) + " AS " + types_[i] + ")";
  const QueryResult r =
      db_->Query("SELECT " + CheckName(name_, "procedure") + "(" + args + ") AS value", values_);
  return r.rows.empty() || r.rows[0].empty() ? Variant() : r.rows[0][0];
}

}  // namespace plexion::backends
