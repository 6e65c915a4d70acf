-- Statement by statement, through the rows the statement changed (transition tables): a bulk
-- load costs one aggregate, not one upsert per hour. Hours added set their bits; hours removed
-- clear theirs unless another load of the same hour remains (an update does both), and a day
-- left without hours goes. Only bits a statement touched change, so concurrent loaders of one
-- day keep each other's hours.
CREATE OR REPLACE FUNCTION cov_load_day_follow() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF TG_OP = 'TRUNCATE' THEN
    TRUNCATE cov_load_day;
    RETURN NULL;
  END IF;
  IF TG_OP IN ('DELETE', 'UPDATE') THEN
    UPDATE cov_load_day d
    SET hours = (d.hours & ~g.removed) | (g.removed & coalesce((
      SELECT bit_or(1 << {{hour_of(l.period_start)}}) FROM cov_load l
      WHERE l.data_type_id = g.data_type_id AND l.system_id = g.system_id
        AND l.period_start >= DATE '1899-12-30' + g.load_day
        AND l.period_start < DATE '1899-12-30' + g.load_day + 1), 0))
    FROM (SELECT data_type_id, system_id, {{day_of(period_start)}} AS load_day,
            bit_or(1 << {{hour_of(period_start)}}) AS removed
          FROM cov_load_removed
          GROUP BY 1, 2, 3) AS g
    WHERE d.data_type_id = g.data_type_id AND d.system_id = g.system_id
      AND d.load_day = g.load_day;
    DELETE FROM cov_load_day d USING cov_load_removed r
    WHERE d.hours = 0 AND d.data_type_id = r.data_type_id AND d.system_id = r.system_id
      AND d.load_day = {{day_of(r.period_start)}};
  END IF;
  IF TG_OP IN ('INSERT', 'UPDATE') THEN
    INSERT INTO cov_load_day AS d (data_type_id, system_id, load_day, hours)
    SELECT data_type_id, system_id, {{day_of(period_start)}},
           bit_or(1 << {{hour_of(period_start)}})
    FROM cov_load_added
    GROUP BY 1, 2, 3
    ON CONFLICT (data_type_id, system_id, load_day) DO UPDATE SET hours = d.hours | EXCLUDED.hours;
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
