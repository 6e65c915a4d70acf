-- Row by row: each hour loaded sets its bit; each hour removed clears it unless another load of
-- the same hour remains, and a day left without hours goes. An update moves a load.
CREATE TRIGGER IF NOT EXISTS cov_load_day_on_insert AFTER INSERT ON cov_load
BEGIN
  INSERT INTO cov_load_day (data_type_id, system_id, load_day, hours)
  VALUES (NEW.data_type_id, NEW.system_id, {{day_of(NEW.period_start)}},
          1 << {{hour_of(NEW.period_start)}})
  ON CONFLICT (data_type_id, system_id, load_day) DO UPDATE SET hours = hours | excluded.hours;
END;

CREATE TRIGGER IF NOT EXISTS cov_load_day_on_delete AFTER DELETE ON cov_load
BEGIN
  UPDATE cov_load_day SET hours = hours & ~(1 << {{hour_of(OLD.period_start)}})
  WHERE data_type_id = OLD.data_type_id AND system_id = OLD.system_id
    AND load_day = {{day_of(OLD.period_start)}}
    AND NOT EXISTS (
      SELECT 1 FROM cov_load l
      WHERE l.data_type_id = OLD.data_type_id AND l.system_id = OLD.system_id
        AND l.period_start >= strftime('%Y-%m-%d %H:00:00', OLD.period_start)
        AND l.period_start < strftime('%Y-%m-%d %H:00:00', OLD.period_start, '+1 hour'));
  DELETE FROM cov_load_day
  WHERE data_type_id = OLD.data_type_id AND system_id = OLD.system_id
    AND load_day = {{day_of(OLD.period_start)}} AND hours = 0;
END;

CREATE TRIGGER IF NOT EXISTS cov_load_day_on_update
AFTER UPDATE OF data_type_id, system_id, period_start ON cov_load
BEGIN
  UPDATE cov_load_day SET hours = hours & ~(1 << {{hour_of(OLD.period_start)}})
  WHERE data_type_id = OLD.data_type_id AND system_id = OLD.system_id
    AND load_day = {{day_of(OLD.period_start)}}
    AND NOT EXISTS (
      SELECT 1 FROM cov_load l
      WHERE l.data_type_id = OLD.data_type_id AND l.system_id = OLD.system_id
        AND l.period_start >= strftime('%Y-%m-%d %H:00:00', OLD.period_start)
        AND l.period_start < strftime('%Y-%m-%d %H:00:00', OLD.period_start, '+1 hour'));
  DELETE FROM cov_load_day
  WHERE data_type_id = OLD.data_type_id AND system_id = OLD.system_id
    AND load_day = {{day_of(OLD.period_start)}} AND hours = 0;
  INSERT INTO cov_load_day (data_type_id, system_id, load_day, hours)
  VALUES (NEW.data_type_id, NEW.system_id, {{day_of(NEW.period_start)}},
          1 << {{hour_of(NEW.period_start)}})
  ON CONFLICT (data_type_id, system_id, load_day) DO UPDATE SET hours = hours | excluded.hours;
END;
