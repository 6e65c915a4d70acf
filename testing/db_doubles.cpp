#include "plexion/testing/db_doubles.hpp"

#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion::testing {

namespace {

class FakeValue final : public DbValue {
 public:
  explicit FakeValue(std::int32_t v) : v_(v) {}
  std::string SqlText() const override { return std::to_string(v_); }

 private:
  std::int32_t v_;
};

class FakeDate final : public DbDate {
 public:
  FakeDate(DateTime v, std::string sql) : v_(v), sql_(std::move(sql)) {}
  DateTime Value() const override { return v_; }
  std::string SqlText() const override { return sql_; }

 private:
  DateTime v_;
  std::string sql_;
};

// How an array element shows in the log: value objects by their SQL text, references with "&".
std::string ElementText(const Variant& v) {
  if (v.IsObject()) {
    if (auto value = v.ObjectValue().As<DbValue>()) return "Value(" + value->SqlText() + ")";
  }
  return v.Describe() + (v.IsByRef() ? "&" : "");
}

std::string Elements(const VariantArray& values) {
  std::string s;
  for (const Variant& v : values.elements()) s += (s.empty() ? "" : ", ") + ElementText(v);
  return s;
}

}  // namespace

void FakeDbService::WhenQuery(std::string sqlPrefix, std::vector<std::string> columns,
                              std::vector<MemoryRecordset::Row> rows) {
  queries.push_back({std::move(sqlPrefix), std::move(columns), std::move(rows), false});
}

void FakeDbService::WhenQueryReturnsNothing(std::string sqlPrefix) {
  queries.push_back({std::move(sqlPrefix), {}, {}, true});
}

void FakeDbService::Log(std::string line) {
  for (const std::string& prefix : failOn) {
    if (line.compare(0, prefix.size(), prefix) == 0) {
      log->Add(std::move(line));
      throw ServiceFailure("DbService");
    }
  }
  log->Add(std::move(line));
}

Ref<DbRecordset> FakeDbService::OpenRecordset(const std::string& sql, bool byKey,
                                              const std::string& source, std::int32_t options,
                                              const std::string& user, const std::string& password,
                                              std::int32_t timeoutSeconds) {
  Log(CallText("DbService.OpenRecordset", sql, byKey, source, options, user, password,
               timeoutSeconds));
  SharedLog recordsetLog = log;
  auto observer = [recordsetLog](const std::string& call) {
    recordsetLog->Add("DbRecordset." + call);
  };
  for (const ScriptedQuery& q : queries) {
    if (sql.compare(0, q.sqlPrefix.size(), q.sqlPrefix) != 0) continue;
    if (q.noRecordset) return {};
    return MakeRef<MemoryRecordset>(q.columns, q.rows, observer);
  }
  return MakeRef<MemoryRecordset>(std::vector<std::string>{}, std::vector<MemoryRecordset::Row>{},
                                  observer);
}

void FakeDbService::ExecuteStatement(const std::string& sql) {
  Log(CallText("DbService.ExecuteStatement", sql));
  statements.push_back(sql);
}

void FakeDbService::ExecuteProcedure(const std::string& name, const VariantArray& params) {
  Log("DbService.ExecuteProcedure(" + name + " | " + Elements(params) + ")");
}

std::int32_t FakeDbService::CallNumericFunction(const std::string& name,
                                                const std::string& argumentList) {
  Log(CallText("DbService.CallNumericFunction", name, argumentList));
  return numericResult;
}

std::string FakeDbService::FormatValueList(const VariantArray& values) {
  Log("DbService.FormatValueList(" + Elements(values) + ")");
  std::string list;
  for (const Variant& v : values.elements()) {
    std::string text;
    if (v.IsObject()) {
      if (auto value = v.ObjectValue().As<DbValue>()) text = value->SqlText();
    } else if (v.IsString()) {
      text = SqlQuote(v.StringValue());
    } else {
      text = ToString(v);
    }
    list += (list.empty() ? "" : ", ") + text;
  }
  return list;
}

Ref<DbValue> FakeDbService::MakeLongValue(std::int32_t value) {
  Log(CallText("DbService.MakeLongValue", value));
  return MakeRef<FakeValue>(value);
}

Ref<DbDate> FakeDbService::MakeDbDate(DateTime value) {
  Log(CallText("DbService.MakeDbDate", value));
  return MakeRef<FakeDate>(value, SqlQuote(value.ToIso()));
}

Ref<DbDate> FakeDbService::DbNow() {
  Log("DbService.DbNow");
  return MakeRef<FakeDate>(now, "CURRENT_TIMESTAMP");
}

std::string FakeDbService::FieldText(const Ref<DbField>& field) {
  Log(CallText("DbService.FieldText", field->Name()));
  const Variant v = field->Value();
  return v.IsNull() ? std::string() : ToString(v);
}

std::int32_t FakeDbService::FieldLong(const Ref<DbField>& field) {
  Log(CallText("DbService.FieldLong", field->Name()));
  const Variant v = field->Value();
  return v.IsNull() ? 0 : ToInt32(v);
}

std::int32_t FakeDbService::FieldLongOrDefault(const Ref<DbField>& field, std::int32_t fallback) {
  Log(CallText("DbService.FieldLongOrDefault", field->Name(), fallback));
  const Variant v = field->Value();
  return v.IsNull() ? fallback : ToInt32(v);
}

DateTime FakeDbService::FieldDate(const Ref<DbField>& field) {
  Log(CallText("DbService.FieldDate", field->Name()));
  const Variant v = field->Value();
  return v.IsNull() ? DateTime() : ToDate(v);
}

bool FakeDbService::ColumnExists(const std::string& table, const std::string& column,
                                 const std::string& source, std::int32_t options,
                                 const std::string& user, const std::string& password) {
  Log(CallText("DbService.ColumnExists", table, column, source, options, user, password));
  return columnExists;
}

void FakeDbService::BeginWork() { Log("DbService.BeginWork"); }

void FakeDbService::LockDocument(const std::string& kind, std::int64_t id) {
  Log(CallText("DbService.LockDocument", kind, std::to_string(id)));
}

void FakeDbService::CommitWork() { Log("DbService.CommitWork"); }

void FakeDbService::RollbackWork() noexcept { log->Add("DbService.RollbackWork"); }

}  // namespace plexion::testing
