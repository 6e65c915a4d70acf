// Data availability as a picture: one row per system, one column per day, each cell coloured
// by the hours loaded out of the hours searched that day, so that gaps stand out.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <plexion/platform/datetime.hpp>

#include "search_runner.hpp"

namespace qt_editor {

// The hours loaded of one data type per system and day.
struct HeatMapData {
  QString dataType;
  QStringList systems;                // row labels: the system keys
  plexion::DateTime firstDay;         // the first column's day
  std::vector<std::int32_t> inRange;  // per day: the hours searched
  std::vector<std::uint8_t> hours;    // per system, per day: the hours loaded

  int Systems() const { return int(systems.size()); }
  int Days() const { return int(inRange.size()); }
  int Hours(int system, int day) const { return hours[std::size_t(system * Days() + day)]; }
};

// The picture of the data type at that position among the request's, from a search's outcome.
HeatMapData HeatMapOf(const SearchRequest& request, const SearchOutcome& outcome, int type);

class HeatMap final : public QWidget {
  Q_OBJECT
 public:
  explicit HeatMap(QWidget* parent = nullptr);

  // Draws the data: the cells first, one pixel each, then scaled to the widget.
  void Show(HeatMapData data);
  const HeatMapData& Data() const { return data_; }
  // One pixel per cell, in the colours drawn.
  const QImage& Cells() const { return cells_; }
  // "S201-B, 3/4/2026: 0 of 24 hours loaded", as hovering the cell shows.
  QString CellText(int system, int day) const;
  // The cell under a point of the widget: x the day, y the system.
  std::optional<QPoint> CellAt(QPoint position) const;
  QRect CellRect(int system, int day) const;
  // Grey for a day not searched, red for nothing loaded, green for every hour searched, and
  // orange to yellow-green in between.
  static QRgb ColourOf(int hours, int inRange);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ChooseCellSize();
  void PaintLegend(class QPainter& painter, int top) const;

  HeatMapData data_;
  QImage cells_;
  int cellWidth_ = 16, cellHeight_ = 16;
  int left_ = 8, top_ = 40;
  bool labelRows_ = true;
};

}  // namespace qt_editor
