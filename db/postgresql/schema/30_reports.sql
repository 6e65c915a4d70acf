-- Report definitions: the documents of the folders (scenarios and templates, with their
-- express copies) and their users, the report rows, the report specifications and page setups
-- the output objects store, and the attributes saved per report.
DROP TABLE IF EXISTS fs_document CASCADE;
DROP TABLE IF EXISTS fs_doc_type CASCADE;
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
CREATE TABLE fs_document (
  id serial PRIMARY KEY,
  doc_type_id integer NOT NULL REFERENCES fs_doc_type (id),
  name text NOT NULL,
  folder_id integer,
  owner_id integer,
  is_express varchar(1) NOT NULL DEFAULT 'N',
  copied_from integer
);

DROP TABLE IF EXISTS fs_user CASCADE;
-- The users on whose behalf documents are copied, by login name.
CREATE TABLE fs_user (
  id serial PRIMARY KEY,
  login_name text NOT NULL UNIQUE
);

DROP TABLE IF EXISTS rpt_report CASCADE;
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

DROP TABLE IF EXISTS rpt_report_spec CASCADE;
CREATE TABLE rpt_report_spec (
  id serial PRIMARY KEY,
  spec_kind integer NOT NULL DEFAULT 0,
  grouping_spec_id integer NOT NULL DEFAULT 0
);

DROP TABLE IF EXISTS rpt_page_setup CASCADE;
CREATE TABLE rpt_page_setup (
  id serial PRIMARY KEY,
  spec_kind integer NOT NULL DEFAULT 0,
  head_note text NOT NULL DEFAULT '',
  foot_note text NOT NULL DEFAULT '',
  remove_control_info varchar(1) NOT NULL DEFAULT 'N'
);

DROP TABLE IF EXISTS rpt_report_attr CASCADE;
-- The attributes the report specification (source 'ReportSpec') and the page setup
-- ('PageSetup') save for a report.
CREATE TABLE rpt_report_attr (
  report_id integer NOT NULL,
  source text NOT NULL,
  name text NOT NULL,
  value text NOT NULL,
  PRIMARY KEY (report_id, source, name)
);

DROP TABLE IF EXISTS rpt_general_attr CASCADE;
-- The general attributes of a report, in the order they were added (seq from 1).
CREATE TABLE rpt_general_attr (
  report_id integer NOT NULL,
  seq integer NOT NULL,
  name text NOT NULL,
  value text NOT NULL,
  PRIMARY KEY (report_id, name)
);

-- Copies of express documents for an owner: the copy's id. The source must be an express
-- document of the routine's type.
DROP FUNCTION IF EXISTS fs_copy_express_document(integer, integer, text) CASCADE;
CREATE FUNCTION fs_copy_express_document(p_source integer, p_owner integer, p_type text)
RETURNS integer LANGUAGE plpgsql AS $$
DECLARE
  new_id integer;
BEGIN
  INSERT INTO fs_document (doc_type_id, name, folder_id, owner_id, is_express, copied_from)
  SELECT d.doc_type_id, d.name, d.folder_id, p_owner, d.is_express, d.id
  FROM fs_document d JOIN fs_doc_type t ON t.id = d.doc_type_id
  WHERE d.id = p_source AND t.name = p_type AND d.is_express = 'Y'
  RETURNING id INTO new_id;
  IF new_id IS NULL THEN
    RAISE EXCEPTION 'FS_CopyExpress%: document % is not an express %', p_type, p_source, lower(p_type);
  END IF;
  RETURN new_id;
END
$$;
DROP FUNCTION IF EXISTS fs_copyexpressscenario(integer, integer) CASCADE;
CREATE FUNCTION fs_copyexpressscenario(p_source integer, p_owner integer)
RETURNS integer LANGUAGE sql AS $$ SELECT fs_copy_express_document(p_source, p_owner, 'Scenario') $$;
DROP FUNCTION IF EXISTS fs_copyexpresstemplate(integer, integer) CASCADE;
CREATE FUNCTION fs_copyexpresstemplate(p_source integer, p_owner integer)
RETURNS integer LANGUAGE sql AS $$ SELECT fs_copy_express_document(p_source, p_owner, 'Template') $$;

-- Deletes an express document of the procedure's type; any other id is left alone.
DROP PROCEDURE IF EXISTS fs_deleteexpressscenario(integer) CASCADE;
CREATE PROCEDURE fs_deleteexpressscenario(p_id integer) LANGUAGE sql AS $$
  DELETE FROM fs_document WHERE id = p_id AND is_express = 'Y'
    AND doc_type_id IN (SELECT id FROM fs_doc_type WHERE name = 'Scenario')
$$;
DROP PROCEDURE IF EXISTS fs_deleteexpresstemplate(integer) CASCADE;
CREATE PROCEDURE fs_deleteexpresstemplate(p_id integer) LANGUAGE sql AS $$
  DELETE FROM fs_document WHERE id = p_id AND is_express = 'Y'
    AND doc_type_id IN (SELECT id FROM fs_doc_type WHERE name = 'Template')
$$;
