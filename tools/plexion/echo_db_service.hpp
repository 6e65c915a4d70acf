// A database service that prints every statement it runs before handing it on: the commands
// and the demo show what a save did.
#pragma once

#include <ostream>
#include <string>

#include "plexion/services/db.hpp"

namespace plexion::cli {

class EchoingDbService final : public DbService {
 public:
  EchoingDbService(DbService& inner, std::ostream& out, std::string prefix)
      : inner_(&inner), out_(&out), prefix_(std::move(prefix)) {}

  Ref<DbRecordset> OpenRecordset(const std::string& sql, bool byKey, const std::string& source,
                                 std::int32_t options, const std::string& user,
                                 const std::string& password,
                                 std::int32_t timeoutSeconds) override {
    return inner_->OpenRecordset(sql, byKey, source, options, user, password, timeoutSeconds);
  }
  void ExecuteStatement(const std::string& sql) override {
    *out_ << prefix_ << sql << "\n";
    ++statements_;
    inner_->ExecuteStatement(sql);
  }
  // The statements run so far.
  int statements() const { return statements_; }
  void ExecuteProcedure(const std::string& name, const VariantArray& params) override {
    inner_->ExecuteProcedure(name, params);
  }
  std::int32_t CallNumericFunction(const std::string& name, const std::string& list) override {
    return inner_->CallNumericFunction(name, list);
  }
  std::string FormatValueList(const VariantArray& values) override {
    return inner_->FormatValueList(values);
  }
  Ref<DbValue> MakeLongValue(std::int32_t value) override { return inner_->MakeLongValue(value); }
  Ref<DbDate> MakeDbDate(DateTime value) override { return inner_->MakeDbDate(value); }
  Ref<DbDate> DbNow() override { return inner_->DbNow(); }
  std::string FieldText(const Ref<DbField>& field) override { return inner_->FieldText(field); }
  std::int32_t FieldLong(const Ref<DbField>& field) override { return inner_->FieldLong(field); }
  std::int32_t FieldLongOrDefault(const Ref<DbField>& field, std::int32_t fallback) override {
    return inner_->FieldLongOrDefault(field, fallback);
  }
  DateTime FieldDate(const Ref<DbField>& field) override { return inner_->FieldDate(field); }
  bool ColumnExists(const std::string& table, const std::string& column, const std::string& source,
                    std::int32_t options, const std::string& user,
                    const std::string& password) override {
    return inner_->ColumnExists(table, column, source, options, user, password);
  }
  // A unit of work shows as its calls, between the statements it holds.
  void BeginWork() override {
    *out_ << prefix_ << "BeginWork\n";
    inner_->BeginWork();
  }
  void LockDocument(const std::string& kind, std::int64_t id) override {
    *out_ << prefix_ << "LockDocument(" << kind << ", " << id << ")\n";
    inner_->LockDocument(kind, id);
  }
  void CommitWork() override {
    *out_ << prefix_ << "CommitWork\n";
    inner_->CommitWork();
  }
  void RollbackWork() noexcept override {
    *out_ << prefix_ << "RollbackWork\n";
    inner_->RollbackWork();
  }

 private:
  DbService* inner_;
  std::ostream* out_;
  std::string prefix_;
  int statements_ = 0;
};

}  // namespace plexion::cli
