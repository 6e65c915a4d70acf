#include "text_controls.hpp"

namespace plexion::cli {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A row of a TextSelector; its sub-items are kept in the selector until the row is printed.
class TextRow final : public SelectorListRow {
 public:
  TextRow(Ref<TextSelector> selector, std::size_t index)
      : selector_(std::move(selector)), index_(index) {}
  std::string SubItems(std::int16_t index) override {
    return selector_->rows_[index_].subItems[index];
  }
  // Quiet, a selector keeps only what finds a row (its key): a site's rows are many.
  void SubItems(std::int16_t index, const std::string& text) override {
    if (!selector_->quiet_) selector_->rows_[index_].subItems[index] = text;
  }

 private:
  Ref<TextSelector> selector_;
  std::size_t index_;
};

std::ostream& TextSelector::Line() { return out_ << "  "; }

void TextSelector::AddColumn(const std::string& text, std::int16_t width, std::int16_t flag) {
  if (quiet_) return;
  Line() << "column " << Quoted(text) << ", width " << width << (flag ? ", chain" : "") << "\n";
}

void TextSelector::SetTag(const std::string& text, std::int32_t value) {
  if (!quiet_) Line() << "tag " << Quoted(text) << " = " << value << "\n";
}

Ref<SelectorListRow> TextSelector::AddRow(const std::string& text, const std::string& key) {
  PrintPendingRow();
  rows_.push_back({text, key, {}});
  pending_ = true;
  return MakeRef<TextRow>(Ref<TextSelector>(this), rows_.size() - 1);
}

void TextSelector::SelIndex(std::int32_t index) {
  if (!quiet_) Line() << "selection index " << index << "\n";
}

void TextSelector::Caption(const std::string& caption) {
  caption_ = caption;
  if (!quiet_) Line() << "caption " << Quoted(caption) << "\n";
}

void TextSelector::EndLoad() {
  PrintPendingRow();
  if (!quiet_)
    Line() << "end of load: " << rows_.size() << (rows_.size() == 1 ? " row" : " rows") << "\n";
}

// Sub-items print in column order; one never given prints as "".
void TextSelector::PrintPendingRow() {
  if (!pending_) return;
  pending_ = false;
  if (quiet_) return;
  const Row& row = rows_.back();
  std::ostream& out = Line() << "row ";
  if (!row.key.empty()) out << "[" << row.key << "] ";
  out << Quoted(row.text);
  const std::int32_t last = row.subItems.empty() ? 0 : row.subItems.rbegin()->first;
  for (std::int32_t k = 1; k <= last; ++k) {
    auto it = row.subItems.find(static_cast<std::int16_t>(k));
    out << " | " << Quoted(it == row.subItems.end() ? "" : it->second);
  }
  out << "\n";
}

void TextDateTimeCtl::Scope(std::int32_t scope) {
  if (quiet_) return;
  out_ << "  scope " << scope
       << (scope == -1 ? " (no time scope outside enterprise mode)" : " days") << "\n";
}

StringArray TextDateTimeCtl::SelectedTimesOf() {
  if (!quiet_) {
    out_ << "  times of day handed out: ";
    if (times_.empty()) out_ << "none (the whole day)";
    for (std::size_t i = 0; i < times_.size(); ++i) out_ << (i ? ", " : "") << Quoted(times_[i]);
    out_ << "\n";
  }
  return StringArray::FromVector(times_, 1);
}

}  // namespace plexion::cli
