-- Document folders, servers and report groups.
CREATE TABLE pm_folder (
  id integer PRIMARY KEY,
  name varchar(255) NOT NULL,
  parent_id integer
);

CREATE TABLE ea_server_group (
  id integer PRIMARY KEY,
  name varchar(64) NOT NULL
);
CREATE TABLE ea_server (
  id integer PRIMARY KEY,
  name varchar(64) NOT NULL,
  server_group_id integer REFERENCES ea_server_group (id)
);
-- The servers whose data a report group covers. The function
-- EA_DD.ea_num_servers_for_repgroup(report group, server group) counts them, restricted to
-- one server group unless that id is 0 (PostgreSQL: postgresql/; SQLite: the backend provides it).
CREATE TABLE ea_report_group_server (
  report_group_id integer NOT NULL,
  server_id integer NOT NULL REFERENCES ea_server (id),
  PRIMARY KEY (report_group_id, server_id)
);
