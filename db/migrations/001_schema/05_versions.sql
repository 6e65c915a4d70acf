-- The migrations this database has had: one row each, written in the same transaction as the
-- migration itself (db/migrations/NNN_name, NNN being the version).
CREATE TABLE plexion_schema_version (
  version integer PRIMARY KEY,
  name varchar(128) NOT NULL,
  applied_at {{timestamp}} NOT NULL DEFAULT CURRENT_TIMESTAMP
);
