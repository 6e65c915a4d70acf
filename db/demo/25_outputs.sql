-- A stored override scope and destination, which the enterprise demo schedule (3) points at.
-- Inserted without ids: the database numbers them (1 and 1 in a fresh schema).
INSERT INTO dt_scope (scope_kind, unit_count, unit) VALUES ('R', 7, 'D');
INSERT INTO out_destination (dest_kind, target, file_format, web_auto_organize)
VALUES ('Folder', 'Reports', 'CSV', 'N');
