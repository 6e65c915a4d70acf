// Small conversions and layouts the tab pages share.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include <QDateTime>
#include <QFormLayout>
#include <QString>

#include <plexion/platform/datetime.hpp>
#include <plexion/platform/error.hpp>

namespace qt_editor {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
inline std::string ToStdString(const QString& text) { return text.toStdString(); }

// The one-letter flags of the schedule and report rows.
inline std::string YesNo(bool on) { return on ? "Y" : "N"; }

inline QDateTime ToQDateTime(plexion::DateTime value) {
  const plexion::CivilDateTime c = value.ToCivil();
  return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second));
}

inline plexion::DateTime FromQDateTime(const QDateTime& value) {
  const QDate d = value.date();
  const QTime t = value.time();
  return plexion::DateTime::FromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(),
                                      t.second());
}

// The error as the database or the library gave it, with where it came from.
inline QString ErrorText(const plexion::Error& e) {
  char status[16];
  std::snprintf(status, sizeof status, "0x%08X", static_cast<unsigned>(e.status()));
  return QString("%1 (%2, error %3, status %4)")
      .arg(ToQString(e.description()), ToQString(e.source()), QString::number(e.number()), status);
}

// A form whose fields keep their natural width.
inline QFormLayout* NewForm() {
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

}  // namespace qt_editor
