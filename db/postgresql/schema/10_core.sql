-- Document folders, servers and report groups.
DROP TABLE IF EXISTS pm_folder CASCADE;
CREATE TABLE pm_folder (
  id integer PRIMARY KEY,
  name varchar(255) NOT NULL,
  parent_id integer
);

DROP TABLE IF EXISTS ea_report_group_server CASCADE;
DROP TABLE IF EXISTS ea_server CASCADE;
DROP TABLE IF EXISTS ea_server_group CASCADE;
CREATE TABLE ea_server_group (
  id integer PRIMARY KEY,
  name varchar(64) NOT NULL
);
CREATE TABLE ea_server (
  id integer PRIMARY KEY,
  name varchar(64) NOT NULL,
  server_group_id integer REFERENCES ea_server_group (id)
);
-- The servers whose data a report group covers.
CREATE TABLE ea_report_group_server (
  report_group_id integer NOT NULL,
  server_id integer NOT NULL REFERENCES ea_server (id),
  PRIMARY KEY (report_group_id, server_id)
);

-- The number of servers of a report group, restricted to one server group unless that id is 0.
DROP SCHEMA IF EXISTS ea_dd CASCADE;
CREATE SCHEMA ea_dd;
CREATE FUNCTION ea_dd.ea_num_servers_for_repgroup(p_report_group integer, p_server_group integer)
RETURNS integer LANGUAGE sql STABLE AS $$
  SELECT count(DISTINCT s.id)::integer
  FROM ea_report_group_server rs
  JOIN ea_server s ON s.id = rs.server_id
  WHERE rs.report_group_id = p_report_group
    AND (p_server_group = 0 OR s.server_group_id = p_server_group)
$$;
