-- The stored date-time scopes and destinations that reports and schedules point at. Their ids
-- come from the database, which never hands out an id twice.
-- A relative scope ('R') covers the last unit_count units (H, D, W or M); an absolute one
-- ('A') the span from start_time to end_time.
CREATE TABLE dt_scope (
  id {{id}},
  scope_kind varchar(1) NOT NULL DEFAULT 'R' CHECK (scope_kind IN ('R', 'A')),
  unit_count integer NOT NULL DEFAULT 1,
  unit varchar(1),
  start_time {{timestamp}},
  end_time {{timestamp}}
);

-- Where a report's output goes: a folder, a mail address, a printer or the web server.
CREATE TABLE out_destination (
  id {{id}},
  dest_kind varchar(8) NOT NULL DEFAULT 'Folder'
    CHECK (dest_kind IN ('Folder', 'Email', 'Printer', 'Web')),
  target varchar(255),
  file_format varchar(16),
  web_auto_organize varchar(32) NOT NULL DEFAULT 'N'
);
