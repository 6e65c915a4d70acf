-- Report definitions: the documents of the folders (scenarios and templates, with their
-- express copies) and their users, the report rows, the report specifications and page setups
-- the output objects store, and the attributes saved per report.
CREATE TABLE fs_doc_type (
  id integer PRIMARY KEY,
  name text NOT NULL UNIQUE
);
INSERT INTO fs_doc_type (id, name) VALUES (1, 'Scenario');
INSERT INTO fs_doc_type (id, name) VALUES (2, 'Template');
INSERT INTO fs_doc_type (id, name) VALUES (3, 'Server Group');
INSERT INTO fs_doc_type (id, name) VALUES (4, 'Channel Set Plan');

-- A document of a folder. An express document (is_express 'Y') can be copied for a report's
-- temporary use: the copy belongs to the user who made it and names its source in copied_from.
-- The routines FS_CopyExpressScenario(source, owner) and FS_CopyExpressTemplate(source, owner)
-- return the copy's id; FS_DeleteExpressScenario(id) and FS_DeleteExpressTemplate(id) delete an
-- express document of their type and leave any other id alone (PostgreSQL: postgresql/;
-- SQLite: the backend provides them).
CREATE TABLE fs_document (
  id {{id}},
  doc_type_id integer NOT NULL REFERENCES fs_doc_type (id),
  name text NOT NULL,
  folder_id integer,
  owner_id integer,
  is_express varchar(1) NOT NULL DEFAULT 'N',
  copied_from integer
);

-- The users on whose behalf documents are copied, by login name.
CREATE TABLE fs_user (
  id {{id}},
  login_name text NOT NULL UNIQUE
);

-- A report definition, as the report editor writes it from the report definition object.
CREATE TABLE rpt_report (
  id integer PRIMARY KEY,
  name text NOT NULL DEFAULT '',
  app_name text NOT NULL DEFAULT '',
  scenario_id integer NOT NULL DEFAULT 0,
  template_id integer NOT NULL DEFAULT 0,
  chan_set_id integer NOT NULL DEFAULT 0,
  destination_id integer NOT NULL DEFAULT 0,
  page_setup_id integer NOT NULL DEFAULT 0,
  dt_scope_id integer NOT NULL DEFAULT 0,
  report_spec_id integer NOT NULL DEFAULT 0,
  grouping_spec_id integer NOT NULL DEFAULT 0,
  file_name text NOT NULL DEFAULT '',
  entity_id integer NOT NULL DEFAULT 0,
  channel_number integer NOT NULL DEFAULT 0,
  map_radius_scale real NOT NULL DEFAULT 0,
  test_channels text NOT NULL DEFAULT '',
  equipped_only text NOT NULL DEFAULT '',
  domain_scenario_id integer NOT NULL DEFAULT 0,
  server_group_id integer NOT NULL DEFAULT 0
);

CREATE TABLE rpt_report_spec (
  id {{id}},
  spec_kind integer NOT NULL DEFAULT 0,
  grouping_spec_id integer NOT NULL DEFAULT 0
);

CREATE TABLE rpt_page_setup (
  id {{id}},
  spec_kind integer NOT NULL DEFAULT 0,
  head_note text NOT NULL DEFAULT '',
  foot_note text NOT NULL DEFAULT '',
  remove_control_info varchar(1) NOT NULL DEFAULT 'N'
);

-- The attributes the report specification (source 'ReportSpec') and the page setup
-- ('PageSetup') save for a report.
CREATE TABLE rpt_report_attr (
  report_id integer NOT NULL,
  source text NOT NULL,
  name text NOT NULL,
  value text NOT NULL,
  PRIMARY KEY (report_id, source, name)
);

-- The general attributes of a report, in the order they were added (seq from 1).
CREATE TABLE rpt_general_attr (
  report_id integer NOT NULL,
  seq integer NOT NULL,
  name text NOT NULL,
  value text NOT NULL,
  PRIMARY KEY (report_id, name)
);
