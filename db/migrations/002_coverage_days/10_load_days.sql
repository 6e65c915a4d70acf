-- Per data type, system and day, the hours loaded: bit h of hours is set when cov_load holds the
-- hour starting at h:00 of load_day (a date-time serial: days since 30 December 1899). The
-- database keeps it in step with cov_load by itself (the triggers of each engine's folder), so
-- that a search reads a row per day instead of a row per hour, whatever program loads the hours.
-- A load that does not start on the hour counts for the hour it falls in. Rows whose hours all
-- went are deleted. Written to be safe to run again: the rows are derived, and refilled here.
CREATE TABLE IF NOT EXISTS cov_load_day (
  data_type_id integer NOT NULL,
  system_id integer NOT NULL,
  load_day integer NOT NULL,
  hours integer NOT NULL,
  PRIMARY KEY (data_type_id, system_id, load_day)
){{clustered}};

DELETE FROM cov_load_day;
INSERT INTO cov_load_day (data_type_id, system_id, load_day, hours)
SELECT data_type_id, system_id, load_day, sum(1 << load_hour)
FROM (SELECT DISTINCT data_type_id, system_id, {{day_of(period_start)}} AS load_day,
        {{hour_of(period_start)}} AS load_hour
      FROM cov_load) AS loaded
GROUP BY data_type_id, system_id, load_day;
