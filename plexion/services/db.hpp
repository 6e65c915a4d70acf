// The database service (external component DbLib): record sets, date values, stored procedures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/datetime.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

// One column of the current row.
class DbField : public virtual Object {
 public:
  virtual const std::string& Name() const = 0;
  // The value of the current row; reading it without a current row is an error.
  virtual Variant Value() const = 0;
};

// The columns of a record set, looked up by name without regard to letter case; an unknown
// name is an error.
class DbFields : public virtual Object {
 public:
  virtual std::int32_t Count() const = 0;
  virtual Ref<DbField> Item(const std::string& name) const = 0;
};

// A forward-reading record set. (EOF is a C macro, so the C++ names carry an "Is".)
class DbRecordset : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "DbRecordset";
  virtual bool IsBOF() const = 0;  // true when the result has no row
  virtual bool IsEOF() const = 0;  // true when there is no current row
  virtual Ref<DbFields> Fields() const = 0;
  virtual void MoveFirst() = 0;
  virtual void MoveNext() = 0;
  virtual void Close() = 0;
};

// A date-time value ready to be written by the database.
class DbDate : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "DbDate";
  virtual DateTime Value() const = 0;       // the moment it stands for
  virtual std::string SqlText() const = 0;  // the SQL expression that writes it
};

// A value wrapped for a value list (MakeLongValue).
class DbValue : public virtual Object {
 public:
  virtual std::string SqlText() const = 0;
};

class DbService : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "DbService";

  // The rows of a query, or no object. byKey is true when one row is read by its key; the
  // four constant arguments ("" 0 "" "") and the time-out in seconds (60) are passed through.
  virtual Ref<DbRecordset> OpenRecordset(const std::string& sql, bool byKey,
                                         const std::string& source, std::int32_t options,
                                         const std::string& user, const std::string& password,
                                         std::int32_t timeoutSeconds) = 0;
  virtual void ExecuteStatement(const std::string& sql) = 0;
  // Runs a stored procedure; parameters are variants, index 0 first.
  virtual void ExecuteProcedure(const std::string& name, const VariantArray& params) = 0;
  virtual std::int32_t CallNumericFunction(const std::string& name,
                                           const std::string& argumentList) = 0;
  // The values of a 0-based array as comma-separated SQL text ("12, 0", "'a''b', NULL").
  virtual std::string FormatValueList(const VariantArray& values) = 0;
  virtual Ref<DbValue> MakeLongValue(std::int32_t value) = 0;
  virtual Ref<DbDate> MakeDbDate(DateTime value) = 0;
  virtual Ref<DbDate> DbNow() = 0;
  // Field conversions. A null field gives "", 0, the fallback, and date-time 0 respectively.
  virtual std::string FieldText(const Ref<DbField>& field) = 0;
  virtual std::int32_t FieldLong(const Ref<DbField>& field) = 0;
  virtual std::int32_t FieldLongOrDefault(const Ref<DbField>& field, std::int32_t fallback) = 0;
  virtual DateTime FieldDate(const Ref<DbField>& field) = 0;
  virtual bool ColumnExists(const std::string& table, const std::string& column,
                            const std::string& source, std::int32_t options,
                            const std::string& user, const std::string& password) = 0;

  // A unit of work: what runs between BeginWork and CommitWork is stored together or not at
  // all. Hosts open one through services::UnitOfWork, which calls these; a service that runs
  // each statement by itself keeps the defaults, which do nothing.
  virtual void BeginWork() {}
  // Inside the open unit: keeps every other unit that locks the same document (kind and id)
  // waiting until this one ends, so that two saves of one document never interleave.
  virtual void LockDocument(const std::string& /*kind*/, std::int64_t /*id*/) {}
  virtual void CommitWork() {}
  // Undoes the open unit; a unit already ended by a failure is left as it is. Never fails.
  virtual void RollbackWork() noexcept {}
};

// A stored-procedure call object, created anew for each call.
class ProcCall : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "ProcCall";
  virtual void ProcName(const std::string& name) = 0;
  // Appends a parameter: its value as text, its type name ("integer"), a further text and a flag.
  virtual void AddParam(const std::string& value, const std::string& typeName,
                        const std::string& extra, bool flag) = 0;
  // Runs the procedure and returns its result.
  virtual Variant Execute() = 0;
};

}  // namespace plexion
