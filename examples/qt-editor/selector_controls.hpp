// The selector and date-time controls of the data-availability window: Qt widgets that the
// library's model fills (SetupDatatypeControl, SetupSystemControl, SetupDateTimeControl).
//
// As with the tab pages (plexion_bridge.hpp), a widget belongs to Qt and a control to the
// library, so each widget has a counted adapter that reaches it through a QPointer.
#pragma once

#include <string>
#include <vector>

#include <QPointer>
#include <QTreeWidget>

class QToolButton;

#include <plexion/services/coverage_ctls.hpp>
#include <plexion/services/selector_ctls.hpp>

namespace qt_editor {

// A list with columns from which the user picks rows (data types, or the systems of one
// level). Each row keeps its key; the caption names the entity type of a system list.
class SelectorList final : public QTreeWidget {
  Q_OBJECT
 public:
  explicit SelectorList(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption) { caption_ = caption; }
  static QString KeyOf(const QTreeWidgetItem* row);
  // The keys (or, for rows without one, the texts) of the selected rows, in list order.
  std::vector<std::string> SelectedKeys() const;
  // Selects the rows of those keys or texts; answers those that no row has.
  std::vector<std::string> Select(const std::vector<std::string>& keys);
  // The column of that title, or -1.
  int ColumnOf(const QString& title) const;

 private:
  QString caption_;
};

// The library's side of a SelectorList: columns and rows arrive one by one, and the rows are
// shown at EndLoad.
class SelectorControl final : public plexion::SelectorCtl {
 public:
  explicit SelectorControl(SelectorList* list);
  ~SelectorControl() override;

  void AddColumn(const std::string& text, std::int16_t width, std::int16_t flag) override;
  void SetTag(const std::string& text, std::int32_t value) override;
  plexion::Ref<plexion::SelectorListRow> AddRow(const std::string& text,
                                                const std::string& key) override;
  void SelIndex(std::int32_t index) override;
  std::string Caption() override;
  void Caption(const std::string& caption) override;
  void EndLoad() override;

 private:
  QPointer<SelectorList> list_;
  QList<QTreeWidgetItem*> pending_;  // rows not yet in the list, owned here until EndLoad
};

// Twenty-four toggles, one per hour of the day; none checked is the whole day.
class HourToggles final : public QWidget {
  Q_OBJECT
 public:
  explicit HourToggles(QWidget* parent = nullptr);
  // "8:00", "17:00": the hours checked, as the search takes times of day.
  std::vector<std::string> SelectedTimes() const;
  // Checks the hours of those times of day; answers those that are not one.
  std::vector<std::string> Select(const std::vector<std::string>& times);
  std::int32_t scope = 0;  // as the model set it

 private:
  std::vector<QToolButton*> hours_;
};

class DateTimeControl final : public plexion::DateTimeCtl {
 public:
  explicit DateTimeControl(HourToggles* hours);
  void Scope(std::int32_t scope) override;
  plexion::StringArray SelectedTimesOf() override;
  float MinWidth() override;
  float MinHeight() override;

 private:
  QPointer<HourToggles> hours_;
};

}  // namespace qt_editor
