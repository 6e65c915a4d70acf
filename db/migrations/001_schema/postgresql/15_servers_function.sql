-- The number of servers of a report group, restricted to one server group unless that id is 0.
CREATE SCHEMA IF NOT EXISTS ea_dd;
CREATE OR REPLACE FUNCTION ea_dd.ea_num_servers_for_repgroup(p_report_group integer,
  p_server_group integer)
RETURNS integer LANGUAGE sql STABLE AS $$
  SELECT count(DISTINCT s.id)::integer
  FROM ea_report_group_server rs
  JOIN ea_server s ON s.id = rs.server_id
  WHERE rs.report_group_id = p_report_group
    AND (p_server_group = 0 OR s.server_group_id = p_server_group)
$$;
