// The default document folders: document types, the scenario and template documents and the
// folder application, read from the database of this thread's database service.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "plexion/backends/sql/database.hpp"
#include "plexion/services/folder_docs.hpp"

namespace plexion::backends {

// A row of fs_doc_type.
class SqlDocumentType final : public DocumentType {
 public:
  SqlDocumentType(std::int32_t id, std::string name) : id_(id), name_(std::move(name)) {}
  std::string Name() const override { return name_; }
  std::int32_t Id() const { return id_; }

 private:
  std::int32_t id_;
  std::string name_;
};

// The document services and the folder application live as long as their thread; without a
// database of their own they use the one of the thread's database service at each call, so
// that they follow a database service replaced on the thread.
class ThreadBound {
 protected:
  explicit ThreadBound(std::shared_ptr<Database> db) : db_(std::move(db)) {}
  std::shared_ptr<Database> Db() const;

 private:
  std::shared_ptr<Database> db_;
};

// The documents of one type in fs_document. A document of another type, or none at all, is
// not express.
template <class Service>
class SqlDocuments final : public Service, private ThreadBound {
 public:
  explicit SqlDocuments(std::string typeName, std::shared_ptr<Database> db = nullptr)
      : ThreadBound(std::move(db)), typeName_(std::move(typeName)) {}
  bool IsExpress(std::int32_t documentId) override;

 private:
  std::string typeName_;
};

// A row of fs_user.
class SqlFolderOwner final : public FolderOwner {
 public:
  SqlFolderOwner(std::int32_t id, std::string login) : id_(id), login_(std::move(login)) {}
  std::int32_t Id() const override { return id_; }
  const std::string& Login() const { return login_; }

 private:
  std::int32_t id_;
  std::string login_;
};

// The owner is the fs_user row of the login name the process runs under ($USER, else
// $LOGNAME, else "plexion"), registered on first use.
class SqlFolderApp final : public FolderApp, private ThreadBound {
 public:
  explicit SqlFolderApp(std::shared_ptr<Database> db = nullptr) : ThreadBound(std::move(db)) {}
  Ref<FolderOwner> Owner() override;
  Ref<DocumentType> DocType(const std::string& name) override;

  static std::string CurrentLogin();
};

// Makes these the process's document services and folder application.
void InstallFolderDocs();

}  // namespace plexion::backends
