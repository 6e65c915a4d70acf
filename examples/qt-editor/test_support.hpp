// What the client's QtTest cases share: a database with the demo rows (the one PLEXION_DB
// names, else a temporary SQLite file), its rows as text, and finding a field by name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <plexion/backends/config/configuration.hpp>
#include <plexion/backends/sql/database.hpp>

namespace qt_editor::testing {

class TestDatabase {
 public:
  // Installs the default services as configured (PLEXION_CONFIG), with these feature switches
  // on, on the database PLEXION_DB names or a SQLite file of its own.
  explicit TestDatabase(const std::vector<std::string>& featuresOn = {});
  // The schema and the demo rows afresh.
  void ResetToDemo();
  // Every row of a query, each as its values' text joined by ", ".
  QStringList Rows(const std::string& sql);
  plexion::backends::Database& Db() { return *db_; }

 private:
  QTemporaryDir dir_;
  std::shared_ptr<plexion::backends::Database> db_;
};

// The child widget of that object name; the test stops when there is none.
template <class Widget>
Widget* Field(QWidget* parent, const char* name) {
  auto* widget = parent ? parent->findChild<Widget*>(name) : nullptr;
  if (!widget) qFatal("no field %s", name);
  return widget;
}

}  // namespace qt_editor::testing
