#include "plexion/backends/folders/folder_docs.hpp"

#include <cstdlib>

#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::backends {

std::shared_ptr<Database> ThreadBound::Db() const { return db_ ? db_ : ThreadDatabase(); }

template <class Service>
bool SqlDocuments<Service>::IsExpress(std::int32_t documentId) {
  const QueryResult r = Db()->Query(
      "SELECT d.is_express FROM fs_document d JOIN fs_doc_type t ON t.id = d.doc_type_id "
      "WHERE d.id = :p0 AND t.name = :p1",
      {Variant(documentId), Variant(typeName_)});
  return !r.rows.empty() && !r.rows[0][0].IsNull() && ToString(r.rows[0][0]) == "Y";
}

template class SqlDocuments<ScenarioDocs>;
template class SqlDocuments<TemplateDocs>;

std::string SqlFolderApp::CurrentLogin() {
  for (const char* name : {"USER", "LOGNAME"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "plexion";
}

Ref<FolderOwner> SqlFolderApp::Owner() {
  const std::string login = CurrentLogin();
  const std::shared_ptr<Database> db = Db();
  db->Execute("INSERT INTO fs_user (login_name) VALUES (:p0) ON CONFLICT (login_name) DO NOTHING",
              {Variant(login)});
  const QueryResult r =
      db->Query("SELECT id FROM fs_user WHERE login_name = :p0", {Variant(login)});
  return MakeRef<SqlFolderOwner>(ToInt32(r.rows.at(0).at(0)), login);
}

Ref<DocumentType> SqlFolderApp::DocType(const std::string& name) {
  const QueryResult r =
      Db()->Query("SELECT id, name FROM fs_doc_type WHERE name = :p0", {Variant(name)});
  if (r.rows.empty())
    throw Error::External(status::InvalidArg, "FolderApp",
                          "there is no document type \"" + name + "\"");
  return MakeRef<SqlDocumentType>(ToInt32(r.rows[0][0]), ToString(r.rows[0][1]));
}

void InstallFolderDocs() {
  services::SetFactory<ScenarioDocs>(
      []() -> Ref<ScenarioDocs> { return MakeRef<SqlDocuments<ScenarioDocs>>("Scenario"); });
  services::SetFactory<TemplateDocs>(
      []() -> Ref<TemplateDocs> { return MakeRef<SqlDocuments<TemplateDocs>>("Template"); });
  services::SetFactory<FolderApp>([]() -> Ref<FolderApp> { return MakeRef<SqlFolderApp>(); });
}

}  // namespace plexion::backends
