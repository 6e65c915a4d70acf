// A recording double of the database service: scripted record sets, every call logged.
#pragma once

#include <string>
#include <vector>

#include "plexion/services/db.hpp"
#include "plexion/services/memory_recordset.hpp"
#include "plexion/testing/call_log.hpp"

namespace plexion::testing {

// A scripted query answer: rows under column names, or no record set at all.
struct ScriptedQuery {
  std::string sqlPrefix;
  std::vector<std::string> columns;
  std::vector<MemoryRecordset::Row> rows;
  bool noRecordset = false;
};

class FakeDbService final : public DbService {
 public:
  explicit FakeDbService(SharedLog log = NewLog()) : log(std::move(log)) {}

  // The first scripted answer whose prefix starts the SQL answers OpenRecordset; without one
  // a query gets an empty record set with no columns.
  void WhenQuery(std::string sqlPrefix, std::vector<std::string> columns,
                 std::vector<MemoryRecordset::Row> rows);
  void WhenQueryReturnsNothing(std::string sqlPrefix);
  // Any call whose log line starts with this text fails (after being logged).
  void FailOn(std::string callPrefix) { failOn.push_back(std::move(callPrefix)); }

  Ref<DbRecordset> OpenRecordset(const std::string& sql, bool byKey, const std::string& source,
                                 std::int32_t options, const std::string& user,
                                 const std::string& password, std::int32_t timeoutSeconds) override;
  void ExecuteStatement(const std::string& sql) override;
  void ExecuteProcedure(const std::string& name, const VariantArray& params) override;
  std::int32_t CallNumericFunction(const std::string& name,
                                   const std::string& argumentList) override;
  std::string FormatValueList(const VariantArray& values) override;
  Ref<DbValue> MakeLongValue(std::int32_t value) override;
  Ref<DbDate> MakeDbDate(DateTime value) override;
  Ref<DbDate> DbNow() override;
  std::string FieldText(const Ref<DbField>& field) override;
  std::int32_t FieldLong(const Ref<DbField>& field) override;
  std::int32_t FieldLongOrDefault(const Ref<DbField>& field, std::int32_t fallback) override;
  DateTime FieldDate(const Ref<DbField>& field) override;
  bool ColumnExists(const std::string& table, const std::string& column, const std::string& source,
                    std::int32_t options, const std::string& user,
                    const std::string& password) override;
  // Logged as "DbService.BeginWork", "DbService.LockDocument(sa_schedule | 1)",
  // "DbService.CommitWork" and "DbService.RollbackWork", among the statements, so that a host
  // can test that its save runs whole. FailOn works for the first three.
  void BeginWork() override;
  void LockDocument(const std::string& kind, std::int64_t id) override;
  void CommitWork() override;
  void RollbackWork() noexcept override;

  SharedLog log;
  std::vector<ScriptedQuery> queries;
  std::vector<std::string> failOn;
  std::int32_t numericResult = 0;
  bool columnExists = true;
  DateTime now = DateTime::FromParts(2026, 12, 5, 10, 30);
  // The statements run, in order (ExecuteStatement only).
  std::vector<std::string> statements;

 private:
  void Log(std::string line);
};

}  // namespace plexion::testing
