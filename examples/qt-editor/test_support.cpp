#include "test_support.hpp"

#include <plexion/backends/defaults.hpp>
#include <plexion/backends/sql/schema.hpp>
#include <plexion/platform/convert.hpp>

namespace qt_editor::testing {

using namespace plexion;

TestDatabase::TestDatabase(const std::vector<std::string>& featuresOn) {
  backends::Configuration config = backends::Configuration::Discover();
  for (const std::string& feature : featuresOn) config.features[feature] = true;
  if (qEnvironmentVariableIsEmpty("PLEXION_DB"))
    config.databaseUrl = "sqlite3://db=" + dir_.filePath("client.db").toStdString();
  backends::InstallDefaults(config);
  db_ = backends::Database::Open(backends::DatabaseUrl::Parse(backends::DatabaseUrlOf(config)));
}

void TestDatabase::ResetToDemo() { backends::ResetSchema(*db_, true); }

QStringList TestDatabase::Rows(const std::string& sql) {
  QStringList rows;
  for (const auto& row : db_->Query(sql).rows) {
    QStringList values;
    for (const Variant& value : row)
      values << QString::fromStdString(value.IsNull() ? "NULL" : ToString(value));
    rows << values.join(", ");
  }
  return rows;
}

}  // namespace qt_editor::testing
