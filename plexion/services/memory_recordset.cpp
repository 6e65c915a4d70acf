#include "plexion/services/memory_recordset.hpp"

#include "plexion/platform/text.hpp"

namespace plexion {

namespace {

constexpr std::string_view kSource = "DbRecordset";

Error RecordsetError(std::int32_t number, std::string description) {
  return Error(status::FromErrorNumber(number), number, std::string(kSource),
               std::move(description));
}

// A column by the name it was asked for, its index found once; read when its value is read:
// without a current row that read fails first for the missing row, then for an unknown name.
class MemoryField final : public DbField {
 public:
  MemoryField(Ref<const MemoryRecordset> rs, std::string name)
      : rs_(std::move(rs)), name_(std::move(name)), column_(rs_->FindColumn(name_)) {}
  const std::string& Name() const override { return name_; }
  Variant Value() const override {
    if (rs_->Observed()) rs_->Notify("Fields.Item(" + name_ + ").Value");
    return rs_->ValueAt(column_, name_);
  }

 private:
  Ref<const MemoryRecordset> rs_;
  std::string name_;
  std::size_t column_;
};

}  // namespace

Error NoCurrentRowError() {
  return RecordsetError(3021, "Either BOF or EOF is True, or the current record has been deleted");
}
Error UnknownColumnError(const std::string& name) {
  return RecordsetError(3265,
                        "Item cannot be found in the collection corresponding to the "
                        "requested name or ordinal: " +
                            name);
}
Error ClosedRecordsetError() {
  return RecordsetError(3704, "Operation is not allowed when the object is closed");
}

MemoryRecordset::MemoryRecordset(std::vector<std::string> columns, std::vector<Row> rows,
                                 Observer observer)
    : columns_(std::move(columns)), rows_(std::move(rows)), observer_(std::move(observer)) {
  hashes_.reserve(columns_.size());
  for (const std::string& column : columns_) hashes_.push_back(NoCaseHash{}(column));
}

void MemoryRecordset::CheckOpen() const {
  if (closed_) throw ClosedRecordsetError();
}

bool MemoryRecordset::IsBOF() const {
  CheckOpen();
  return rows_.empty();
}

bool MemoryRecordset::IsEOF() const {
  CheckOpen();
  return position_ >= rows_.size();
}

Ref<DbFields> MemoryRecordset::Fields() const {
  CheckOpen();
  return Ref<DbFields>(const_cast<MemoryRecordset*>(this));
}

std::int32_t MemoryRecordset::Count() const { return static_cast<std::int32_t>(columns_.size()); }

Ref<DbField> MemoryRecordset::Item(const std::string& name) const {
  return MakeRef<MemoryField>(Ref<const MemoryRecordset>(this), name);
}

void MemoryRecordset::MoveFirst() {
  Notify("MoveFirst");
  CheckOpen();
  position_ = 0;
}

void MemoryRecordset::MoveNext() {
  Notify("MoveNext");
  CheckOpen();
  if (position_ >= rows_.size()) throw NoCurrentRowError();
  ++position_;
}

void MemoryRecordset::Close() {
  Notify("Close");
  CheckOpen();
  closed_ = true;
}

std::size_t MemoryRecordset::FindColumn(const std::string& name) const {
  const std::size_t hash = NoCaseHash{}(name);
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (hashes_[i] == hash && EqualsNoCase(columns_[i], name)) return i;
  return kNoColumn;
}

std::size_t MemoryRecordset::ColumnIndex(const std::string& name) const {
  const std::size_t column = FindColumn(name);
  if (column == kNoColumn) throw UnknownColumnError(name);
  return column;
}

Variant MemoryRecordset::ValueOf(const std::string& name) const {
  return ValueAt(FindColumn(name), name);
}

Variant MemoryRecordset::ValueAt(std::size_t column, const std::string& name) const {
  CheckOpen();
  if (position_ >= rows_.size()) throw NoCurrentRowError();
  if (column == kNoColumn) throw UnknownColumnError(name);
  const Row& row = rows_[position_];
  return column < row.size() ? row[column] : Variant::Null();
}

}  // namespace plexion
