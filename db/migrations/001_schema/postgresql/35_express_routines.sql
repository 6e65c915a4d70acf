-- Copies of express documents for an owner: the copy's id. The source must be an express
-- document of the routine's type.
CREATE OR REPLACE FUNCTION fs_copy_express_document(p_source integer, p_owner integer,
  p_type text)
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
    RAISE EXCEPTION 'FS_CopyExpress%: document % is not an express %', p_type, p_source,
      lower(p_type);
  END IF;
  RETURN new_id;
END
$$;
CREATE OR REPLACE FUNCTION fs_copyexpressscenario(p_source integer, p_owner integer)
RETURNS integer LANGUAGE sql AS $$ SELECT fs_copy_express_document(p_source, p_owner, 'Scenario') $$;
CREATE OR REPLACE FUNCTION fs_copyexpresstemplate(p_source integer, p_owner integer)
RETURNS integer LANGUAGE sql AS $$ SELECT fs_copy_express_document(p_source, p_owner, 'Template') $$;

-- Deletes an express document of the procedure's type; any other id is left alone.
CREATE OR REPLACE PROCEDURE fs_deleteexpressscenario(p_id integer) LANGUAGE sql AS $$
  DELETE FROM fs_document WHERE id = p_id AND is_express = 'Y'
    AND doc_type_id IN (SELECT id FROM fs_doc_type WHERE name = 'Scenario')
$$;
CREATE OR REPLACE PROCEDURE fs_deleteexpresstemplate(p_id integer) LANGUAGE sql AS $$
  DELETE FROM fs_document WHERE id = p_id AND is_express = 'Y'
    AND doc_type_id IN (SELECT id FROM fs_doc_type WHERE name = 'Template')
$$;
