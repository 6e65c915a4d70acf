// The default database service: real SQL over one SOCI connection per thread.
#pragma once

#include <memory>

#include "plexion/backends/sql/database.hpp"
#include "plexion/services/db.hpp"

namespace plexion::backends {

class SociDbService final : public DbService {
 public:
  explicit SociDbService(std::shared_ptr<Database> db) : db_(std::move(db)) {}

  Database& database() const { return *db_; }
  std::shared_ptr<Database> shared() const { return db_; }

  // Every query yields a record set (never no object); its rows are read at once. The query
  // runs within timeoutSeconds (0: no limit); past it, it fails with kTimeoutStatus. The other
  // calls run within the database's default limit ([database] statement_timeout).
  Ref<DbRecordset> OpenRecordset(const std::string& sql, bool byKey, const std::string& source,
                                 std::int32_t options, const std::string& user,
                                 const std::string& password, std::int32_t timeoutSeconds) override;
  void ExecuteStatement(const std::string& sql) override;
  // PostgreSQL: CALL name(...). SQLite: the routines the backend provides (sqlite_routines).
  void ExecuteProcedure(const std::string& name, const VariantArray& params) override;
  // PostgreSQL: SELECT name(list). SQLite: a provided routine, given the parsed list.
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
  // SQLite: the table's column list; PostgreSQL: information_schema of the current schema.
  // Both compare names without regard to letter case.
  bool ColumnExists(const std::string& table, const std::string& column, const std::string& source,
                    std::int32_t options, const std::string& user,
                    const std::string& password) override;
  // Units of work are the connection's transactions (Database::BeginWork and after): the
  // objects that store themselves share the connection, so their rows join the unit too.
  void BeginWork() override { db_->BeginWork(); }
  void LockDocument(const std::string& kind, std::int64_t id) override {
    db_->LockDocument(kind, id);
  }
  void CommitWork() override { db_->CommitWork(); }
  void RollbackWork() noexcept override { db_->RollbackWork(); }

 private:
  std::shared_ptr<Database> db_;
};

// The default stored-procedure call: parameters are bound as typed values.
class SociProcCall final : public ProcCall {
 public:
  explicit SociProcCall(std::shared_ptr<Database> db) : db_(std::move(db)) {}
  void ProcName(const std::string& name) override { name_ = name; }
  void AddParam(const std::string& value, const std::string& typeName, const std::string& extra,
                bool flag) override;
  Variant Execute() override;

 private:
  std::shared_ptr<Database> db_;
  std::string name_;
  std::vector<Variant> values_;
  std::vector<std::string> types_;
};

// The database of this thread's DbService, which must be the default one (objects that store
// themselves use the same connection).
std::shared_ptr<Database> ThreadDatabase();

// The SQL text of one value in a value list: numbers in decimal, texts quoted with quotes
// doubled, dates as quoted ISO text, Boolean as 1 or 0, Empty and Null as NULL, value and date
// objects as their own SQL text.
std::string SqlLiteral(const Variant& value);
// Reads a value list back into values (numbers, quoted texts, NULL).
std::vector<Variant> ParseValueList(const std::string& list);

}  // namespace plexion::backends
