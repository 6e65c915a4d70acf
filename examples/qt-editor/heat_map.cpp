#include "heat_map.hpp"

#include <algorithm>

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "page_helpers.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

constexpr int kLegendHeight = 44;
constexpr int kMargin = 8;

QRgb Mix(QRgb from, QRgb to, double share) {
  auto channel = [&](int a, int b) { return int(a + (b - a) * share + 0.5); };
  return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
              channel(qBlue(from), qBlue(to)));
}

// The legend's samples: nothing, a few hours, most hours, all of them, and a day not searched.
struct LegendKey {
  int hours, inRange;
  const char* text;
};
constexpr LegendKey kLegend[] = {{0, 24, "none"},
                                 {6, 24, "6 of 24"},
                                 {18, 24, "18 of 24"},
                                 {24, 24, "all"},
                                 {0, 0, "not searched"}};
constexpr const char* kLegendTitle = "Hours loaded:";

int LegendWidth(const QFontMetrics& metrics) {
  int width = metrics.horizontalAdvance(kLegendTitle) + 6;
  for (const LegendKey& key : kLegend) width += 18 + metrics.horizontalAdvance(key.text) + 12;
  return width;
}

QString DayText(DateTime firstDay, int day) {
  return ToQString(DateTime(firstDay.serial() + day).ToText());
}

}  // namespace

HeatMapData HeatMapOf(const SearchRequest& request, const SearchOutcome& outcome, int type) {
  HeatMapData data;
  data.dataType = ToQString(request.types[std::size_t(type)]);
  for (const std::string& key : request.systems) data.systems << ToQString(key);
  data.firstDay = DateTime(outcome.days.firstDay);
  data.inRange = outcome.days.hoursInRange;
  data.hours.assign(std::size_t(data.Systems() * data.Days()), 0);
  for (const auto& d : outcome.days.loaded)
    if (d.type == type)
      data.hours[std::size_t(d.system * data.Days() + d.day)] = std::uint8_t(d.hours);
  return data;
}

HeatMap::HeatMap(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setObjectName("heatMap");
}

QRgb HeatMap::ColourOf(int hours, int inRange) {
  if (inRange <= 0) return qRgb(0xe0, 0xe0, 0xe0);
  if (hours <= 0) return qRgb(0xc6, 0x28, 0x28);
  if (hours >= inRange) return qRgb(0x2e, 0x7d, 0x32);
  return Mix(qRgb(0xef, 0x6c, 0x00), qRgb(0xc0, 0xca, 0x33), double(hours) / inRange);
}

void HeatMap::Show(HeatMapData data) {
  data_ = std::move(data);
  cells_ = QImage(std::max(1, data_.Days()), std::max(1, data_.Systems()), QImage::Format_RGB32);
  cells_.fill(Qt::white);
  for (int s = 0; s < data_.Systems(); ++s) {
    auto* line = reinterpret_cast<QRgb*>(cells_.scanLine(s));
    for (int d = 0; d < data_.Days(); ++d)
      line[d] = ColourOf(data_.Hours(s, d), data_.inRange[std::size_t(d)]);
  }
  ChooseCellSize();
  updateGeometry();
  resize(sizeHint());
  update();
}

void HeatMap::ChooseCellSize() {
  const int days = std::max(1, data_.Days()), systems = std::max(1, data_.Systems());
  cellWidth_ = std::clamp(900 / days, 3, 28);
  cellHeight_ = std::clamp(560 / systems, 2, 20);
  labelRows_ = cellHeight_ >= 11;
  int labelWidth = 0;
  if (labelRows_) {
    const QFontMetrics metrics(font());
    for (const QString& system : data_.systems)
      labelWidth = std::max(labelWidth, metrics.horizontalAdvance(system));
  }
  left_ = kMargin + std::min(labelWidth, 160) + (labelRows_ ? kMargin : 0);
  top_ = kMargin + 2 * QFontMetrics(font()).height();
}

QSize HeatMap::sizeHint() const {
  const int drawn = std::max(data_.Days() * cellWidth_, LegendWidth(QFontMetrics(font())));
  return QSize(left_ + drawn + 2 * kMargin,
               top_ + data_.Systems() * cellHeight_ + kLegendHeight + kMargin);
}

QRect HeatMap::CellRect(int system, int day) const {
  return QRect(left_ + day * cellWidth_, top_ + system * cellHeight_, cellWidth_, cellHeight_);
}

std::optional<QPoint> HeatMap::CellAt(QPoint position) const {
  if (position.x() < left_ || position.y() < top_) return std::nullopt;
  const int day = (position.x() - left_) / cellWidth_;
  const int system = (position.y() - top_) / cellHeight_;
  if (day >= data_.Days() || system >= data_.Systems()) return std::nullopt;
  return QPoint(day, system);
}

QString HeatMap::CellText(int system, int day) const {
  const int inRange = data_.inRange[std::size_t(day)];
  return QString("%1, %2: %3")
      .arg(data_.systems[system], DayText(data_.firstDay, day),
           inRange > 0 ? QString("%1 of %2 hours loaded").arg(data_.Hours(system, day)).arg(inRange)
                       : QString("no hour searched"));
}

bool HeatMap::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  auto* help = static_cast<QHelpEvent*>(event);
  if (const auto cell = CellAt(help->pos()))
    QToolTip::showText(help->globalPos(), CellText(cell->y(), cell->x()), this,
                       CellRect(cell->y(), cell->x()));
  else QToolTip::hideText();
  return true;
}

void HeatMap::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (data_.Days() == 0 || data_.Systems() == 0) {
    painter.drawText(rect(), Qt::AlignCenter, "No search yet");
    return;
  }
  const QFontMetrics metrics(font());
  painter.setPen(Qt::black);
  painter.drawText(kMargin, kMargin + metrics.ascent(),
                   QString("%1: %2 systems by %3 days")
                       .arg(data_.dataType)
                       .arg(data_.Systems())
                       .arg(data_.Days()));
  // A day's label every few columns, as many as fit.
  const int every = std::max(1, (metrics.horizontalAdvance("12/31") + 6) / cellWidth_ + 1);
  for (int d = 0; d < data_.Days(); d += every) {
    const CivilDateTime c = DateTime(data_.firstDay.serial() + d).ToCivil();
    painter.drawText(left_ + d * cellWidth_, top_ - 4, QString("%1/%2").arg(c.month).arg(c.day));
  }
  if (labelRows_)
    for (int s = 0; s < data_.Systems(); ++s)
      painter.drawText(QRect(kMargin, top_ + s * cellHeight_, left_ - 2 * kMargin, cellHeight_),
                       Qt::AlignVCenter | Qt::AlignLeft, data_.systems[s]);
  const QRect cells(left_, top_, data_.Days() * cellWidth_, data_.Systems() * cellHeight_);
  painter.drawImage(cells, cells_);
  if (cellWidth_ >= 8 && cellHeight_ >= 8) {  // white seams between cells big enough for them
    painter.setPen(Qt::white);
    for (int d = 1; d < data_.Days(); ++d)
      painter.drawLine(left_ + d * cellWidth_, cells.top(), left_ + d * cellWidth_, cells.bottom());
    for (int s = 1; s < data_.Systems(); ++s)
      painter.drawLine(cells.left(), top_ + s * cellHeight_, cells.right(), top_ + s * cellHeight_);
  }
  PaintLegend(painter, cells.bottom() + kMargin);
}

void HeatMap::PaintLegend(QPainter& painter, int top) const {
  const QFontMetrics metrics(font());
  const int baseline = top + 14 + metrics.ascent();
  int x = left_;
  painter.setPen(Qt::black);
  painter.drawText(x, baseline, kLegendTitle);
  x += metrics.horizontalAdvance(kLegendTitle) + 6;
  for (const LegendKey& key : kLegend) {
    painter.fillRect(x, top + 14, 14, 14, QColor(ColourOf(key.hours, key.inRange)));
    x += 18;
    painter.drawText(x, baseline, key.text);
    x += metrics.horizontalAdvance(key.text) + 12;
  }
}

}  // namespace qt_editor
