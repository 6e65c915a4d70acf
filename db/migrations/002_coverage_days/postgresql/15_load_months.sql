-- The first and the last day loaded of a data type, without reading a whole site's days (an
-- SQLite site's days are few, and each index more costs its row triggers on every hour loaded).
CREATE INDEX IF NOT EXISTS cov_load_day_by_day ON cov_load_day (data_type_id, load_day);

-- Per data type, system and month, every hour of the month as a bit, so that a search reads a
-- row per month instead of one per day: hour h of the month's day d (d from 0) is bit d * 24 + h
-- of hours counted from the left, and of hours_backward counted from the right; the first set
-- bit of each is the first and the last hour loaded. Kept with cov_load_day by the same
-- triggers, with the same bitwise changes, so concurrent loaders keep each other's hours. The
-- count and the first and last hour (of the month, from 0) are derived by the database, for a
-- search over whole months at every hour of the day.
CREATE TABLE IF NOT EXISTS cov_load_month (
  data_type_id integer NOT NULL,
  system_id integer NOT NULL,
  load_month integer NOT NULL,
  hours bit(744) NOT NULL,
  hours_backward bit(744) NOT NULL,
  hour_count integer GENERATED ALWAYS AS (CAST(bit_count(hours) AS integer)) STORED,
  first_hour integer GENERATED ALWAYS AS (position(B'1' IN hours) - 1) STORED,
  last_hour integer GENERATED ALWAYS AS (744 - position(B'1' IN hours_backward)) STORED,
  PRIMARY KEY (data_type_id, system_id, load_month)
);

-- The date-time serial of the first day of a day's month.
CREATE OR REPLACE FUNCTION cov_month_of(load_day integer) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
  SELECT CAST(date_trunc('month', CAST(DATE '1899-12-30' + load_day AS timestamp)) AS date)
         - DATE '1899-12-30'
$$;

-- A day's hours placed in its month: from the left, given as the day's 24 bits earliest hour
-- first; from the right, given as the day's mask (bit h for hour h).
CREATE OR REPLACE FUNCTION cov_month_hours(load_day integer, day_hours bit(24)) RETURNS bit(744)
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
  SELECT CAST(day_hours AS bit(744)) >> ((load_day - cov_month_of(load_day)) * 24)
$$;
CREATE OR REPLACE FUNCTION cov_month_hours_backward(load_day integer, hours integer)
RETURNS bit(744) LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
  SELECT CAST(hours AS bit(744)) << ((load_day - cov_month_of(load_day)) * 24)
$$;
-- A day's mask as its 24 bits earliest hour first.
CREATE OR REPLACE FUNCTION cov_day_hours(hours integer) RETURNS bit(24)
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
  SELECT CAST(reverse(CAST(CAST(hours AS bit(24)) AS text)) AS bit(24))
$$;

DELETE FROM cov_load_month;
INSERT INTO cov_load_month (data_type_id, system_id, load_month, hours, hours_backward)
SELECT data_type_id, system_id, cov_month_of(load_day),
       bit_or(cov_month_hours(load_day, cov_day_hours(hours))),
       bit_or(cov_month_hours_backward(load_day, hours))
FROM cov_load_day
GROUP BY data_type_id, system_id, cov_month_of(load_day);
