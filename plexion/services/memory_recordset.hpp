// A record set held in memory: the database backend reads a query's rows into one, and test
// doubles script their answers with one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "plexion/services/db.hpp"

namespace plexion {

// Errors of a record set, numbered as the host platform's data objects number them.
Error NoCurrentRowError();                          // 3021: no current row
Error UnknownColumnError(const std::string& name);  // 3265
Error ClosedRecordsetError();                       // 3704

// The record set is its own Fields collection: reading a column asks for Fields each time, and
// handing back the record set itself costs no object per read.
class MemoryRecordset final : public DbRecordset, public DbFields {
 public:
  using Row = std::vector<Variant>;
  // Called with "MoveFirst", "MoveNext", "Close" and "Fields.Item(NAME).Value" as they happen.
  using Observer = std::function<void(const std::string&)>;

  MemoryRecordset(std::vector<std::string> columns, std::vector<Row> rows, Observer observer = {});

  bool IsBOF() const override;
  bool IsEOF() const override;
  Ref<DbFields> Fields() const override;
  void MoveFirst() override;
  void MoveNext() override;
  void Close() override;

  std::int32_t Count() const override;
  Ref<DbField> Item(const std::string& name) const override;

  bool closed() const { return closed_; }
  const std::vector<std::string>& columns() const { return columns_; }
  // The value of a column of the current row (the row is checked before the name).
  Variant ValueOf(const std::string& name) const;
  // The value of a column by its index (kNoColumn for a name the record set lacks).
  Variant ValueAt(std::size_t column, const std::string& name) const;
  static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
  std::size_t FindColumn(const std::string& name) const;  // kNoColumn when missing
  std::size_t ColumnIndex(const std::string& name) const;
  bool Observed() const { return static_cast<bool>(observer_); }
  void Notify(const std::string& call) const {
    if (observer_) observer_(call);
  }

 private:
  void CheckOpen() const;

  std::vector<std::string> columns_;
  std::vector<std::size_t> hashes_;  // of the column names, letter case ignored
  std::vector<Row> rows_;
  Observer observer_;
  std::size_t position_ = 0;
  bool closed_ = false;
};

}  // namespace plexion
