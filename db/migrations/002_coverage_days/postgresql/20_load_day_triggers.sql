-- Statement by statement, through the rows the statement changed (transition tables): a bulk
-- load costs one aggregate per day touched, not an upsert per hour. Hours added set their bits
-- in their day and month; hours removed clear theirs unless another load of the same hour
-- remains (an update does both), and a day or month left without hours goes. Only the bits a
-- statement touched change, so concurrent loaders keep each other's hours. The memory allowed
-- keeps the days of a statement of a few million hours in one pass.
CREATE OR REPLACE FUNCTION cov_load_day_follow() RETURNS trigger LANGUAGE plpgsql
SET work_mem = '32MB' AS $$
BEGIN
  IF TG_OP = 'TRUNCATE' THEN
    TRUNCATE cov_load_day, cov_load_month;
    RETURN NULL;
  END IF;
  IF TG_OP IN ('DELETE', 'UPDATE') THEN
    WITH removed AS (
      SELECT data_type_id, system_id, {{day_of(period_start)}} AS load_day,
             bit_or(1 << {{hour_of(period_start)}}) AS hours
      FROM cov_load_removed
      GROUP BY 1, 2, 3
    ), cleared AS (
      SELECT r.data_type_id, r.system_id, r.load_day, r.hours & ~coalesce((
        SELECT bit_or(1 << {{hour_of(l.period_start)}}) FROM cov_load l
        WHERE l.data_type_id = r.data_type_id AND l.system_id = r.system_id
          AND l.period_start >= DATE '1899-12-30' + r.load_day
          AND l.period_start < DATE '1899-12-30' + r.load_day + 1), 0) AS hours
      FROM removed r
    ), days AS (
      UPDATE cov_load_day d SET hours = d.hours & ~c.hours
      FROM cleared c
      WHERE d.data_type_id = c.data_type_id AND d.system_id = c.system_id
        AND d.load_day = c.load_day AND c.hours <> 0
    )
    UPDATE cov_load_month m
    SET hours = m.hours & ~c.hours, hours_backward = m.hours_backward & ~c.hours_backward
    FROM (SELECT data_type_id, system_id, cov_month_of(load_day) AS load_month,
            bit_or(cov_month_hours(load_day, cov_day_hours(hours))) AS hours,
            bit_or(cov_month_hours_backward(load_day, hours)) AS hours_backward
          FROM cleared WHERE hours <> 0
          GROUP BY 1, 2, 3) AS c
    WHERE m.data_type_id = c.data_type_id AND m.system_id = c.system_id
      AND m.load_month = c.load_month;
    DELETE FROM cov_load_day d USING cov_load_removed r
    WHERE d.hours = 0 AND d.data_type_id = r.data_type_id AND d.system_id = r.system_id
      AND d.load_day = {{day_of(r.period_start)}};
    DELETE FROM cov_load_month m USING cov_load_removed r
    WHERE bit_count(m.hours) = 0 AND m.data_type_id = r.data_type_id
      AND m.system_id = r.system_id AND m.load_month = cov_month_of({{day_of(r.period_start)}});
  END IF;
  IF TG_OP IN ('INSERT', 'UPDATE') THEN
    WITH added AS (
      SELECT data_type_id, system_id, {{day_of(period_start)}} AS load_day,
             bit_or(1 << {{hour_of(period_start)}}) AS hours
      FROM cov_load_added
      GROUP BY 1, 2, 3
    ), days AS (
      INSERT INTO cov_load_day AS d (data_type_id, system_id, load_day, hours)
      SELECT data_type_id, system_id, load_day, hours FROM added
      ON CONFLICT (data_type_id, system_id, load_day) DO UPDATE SET hours = d.hours | EXCLUDED.hours
    )
    INSERT INTO cov_load_month AS m (data_type_id, system_id, load_month, hours, hours_backward)
    SELECT data_type_id, system_id, cov_month_of(load_day),
           bit_or(cov_month_hours(load_day, cov_day_hours(hours))),
           bit_or(cov_month_hours_backward(load_day, hours))
    FROM added
    GROUP BY data_type_id, system_id, cov_month_of(load_day)
    ON CONFLICT (data_type_id, system_id, load_month) DO UPDATE
    SET hours = m.hours | EXCLUDED.hours, hours_backward = m.hours_backward | EXCLUDED.hours_backward;
  END IF;
  RETURN NULL;
END
$$;

CREATE OR REPLACE TRIGGER cov_load_day_on_insert AFTER INSERT ON cov_load
  REFERENCING NEW TABLE AS cov_load_added
  FOR EACH STATEMENT EXECUTE FUNCTION cov_load_day_follow();
CREATE OR REPLACE TRIGGER cov_load_day_on_delete AFTER DELETE ON cov_load
  REFERENCING OLD TABLE AS cov_load_removed
  FOR EACH STATEMENT EXECUTE FUNCTION cov_load_day_follow();
CREATE OR REPLACE TRIGGER cov_load_day_on_update AFTER UPDATE ON cov_load
  REFERENCING OLD TABLE AS cov_load_removed NEW TABLE AS cov_load_added
  FOR EACH STATEMENT EXECUTE FUNCTION cov_load_day_follow();
CREATE OR REPLACE TRIGGER cov_load_day_on_truncate AFTER TRUNCATE ON cov_load
  FOR EACH STATEMENT EXECUTE FUNCTION cov_load_day_follow();
