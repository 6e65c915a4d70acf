#include "selector_controls.hpp"

#include <QGridLayout>
#include <QHeaderView>
#include <QToolButton>

#include <plexion/platform/datetime.hpp>

#include "page_helpers.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

constexpr int kKeyRole = Qt::UserRole;

// A row of a selector as the model fills it. The model lets go of a row before the list can
// change again, so the row may point into the list.
class SelectorRow final : public SelectorListRow {
 public:
  explicit SelectorRow(QTreeWidgetItem* item) : item_(item) {}
  std::string SubItems(std::int16_t index) override { return ToStdString(item_->text(index)); }
  void SubItems(std::int16_t index, const std::string& text) override {
    item_->setText(index, ToQString(text));
  }

 private:
  QTreeWidgetItem* item_;
};

}  // namespace

// ---- SelectorList

SelectorList::SelectorList(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(0);
  setRootIsDecorated(false);
  setUniformRowHeights(true);  // thousands of systems
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAlternatingRowColors(true);
}

QString SelectorList::KeyOf(const QTreeWidgetItem* row) {
  const QString key = row->data(0, kKeyRole).toString();
  return key.isEmpty() ? row->text(0) : key;
}

std::vector<std::string> SelectorList::SelectedKeys() const {
  std::vector<std::string> keys;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->isSelected()) keys.push_back(ToStdString(KeyOf(topLevelItem(i))));
  return keys;
}

std::vector<std::string> SelectorList::Select(const std::vector<std::string>& keys) {
  std::vector<std::string> unknown;
  for (const std::string& key : keys) {
    bool found = false;
    for (int i = 0; i < topLevelItemCount() && !found; ++i)
      if (KeyOf(topLevelItem(i)) == ToQString(key)) {
        topLevelItem(i)->setSelected(true);
        found = true;
      }
    if (!found) unknown.push_back(key);
  }
  return unknown;
}

int SelectorList::ColumnOf(const QString& title) const {
  for (int c = 0; c < columnCount(); ++c)
    if (headerItem()->text(c) == title) return c;
  return -1;
}

// ---- SelectorControl

SelectorControl::SelectorControl(SelectorList* list) : list_(list) {}

SelectorControl::~SelectorControl() { qDeleteAll(pending_); }

void SelectorControl::AddColumn(const std::string& text, std::int16_t width, std::int16_t) {
  if (!list_) return;
  const int column = list_->columnCount();
  list_->setColumnCount(column + 1);
  list_->headerItem()->setText(column, ToQString(text));
  list_->setColumnWidth(column, width);
}

void SelectorControl::SetTag(const std::string& text, std::int32_t value) {
  if (list_) list_->setProperty("tag", ToQString(text + " " + std::to_string(value)));
}

Ref<SelectorListRow> SelectorControl::AddRow(const std::string& text, const std::string& key) {
  auto* item = new QTreeWidgetItem;
  item->setText(0, ToQString(text));
  if (!key.empty()) item->setData(0, kKeyRole, ToQString(key));
  pending_.append(item);
  return MakeRef<SelectorRow>(item);
}

void SelectorControl::SelIndex(std::int32_t index) {
  if (list_ && index >= 0 && index < list_->topLevelItemCount())
    list_->setCurrentItem(list_->topLevelItem(index));
}

std::string SelectorControl::Caption() { return list_ ? ToStdString(list_->Caption()) : ""; }

void SelectorControl::Caption(const std::string& caption) {
  if (list_) list_->SetCaption(ToQString(caption));
}

void SelectorControl::EndLoad() {
  if (!list_) return;
  list_->addTopLevelItems(pending_);  // the list owns them now
  pending_.clear();
}

// ---- HourToggles

HourToggles::HourToggles(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setSpacing(2);
  for (int hour = 0; hour < 24; ++hour) {
    auto* button = new QToolButton;
    button->setText(QString::number(hour));
    button->setObjectName(QString("hour%1").arg(hour));
    button->setCheckable(true);
    button->setMinimumWidth(28);
    grid->addWidget(button, hour / 12, hour % 12);
    hours_.push_back(button);
  }
}

std::vector<std::string> HourToggles::SelectedTimes() const {
  std::vector<std::string> times;
  for (std::size_t hour = 0; hour < hours_.size(); ++hour)
    if (hours_[hour]->isChecked()) times.push_back(std::to_string(hour) + ":00");
  return times;
}

std::vector<std::string> HourToggles::Select(const std::vector<std::string>& times) {
  std::vector<std::string> bad;
  for (const std::string& time : times) {
    const std::optional<DateTime> t = DateTime::TryParse(time);
    // A time of day alone stands on day 0.
    if (!t || t->serial() < 0 || t->serial() >= 1) {
      bad.push_back(time);
      continue;
    }
    hours_[std::size_t(t->ToCivil().hour)]->setChecked(true);
  }
  return bad;
}

// ---- DateTimeControl

DateTimeControl::DateTimeControl(HourToggles* hours) : hours_(hours) {}

void DateTimeControl::Scope(std::int32_t scope) {
  if (hours_) hours_->scope = scope;
}

StringArray DateTimeControl::SelectedTimesOf() {
  return StringArray::FromVector(hours_ ? hours_->SelectedTimes() : std::vector<std::string>{}, 1);
}

float DateTimeControl::MinWidth() { return hours_ ? float(hours_->minimumSizeHint().width()) : 0; }

float DateTimeControl::MinHeight() {
  return hours_ ? float(hours_->minimumSizeHint().height()) : 0;
}

}  // namespace qt_editor
