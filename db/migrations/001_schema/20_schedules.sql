-- Report-group schedules and soft-alarm schedules, with their side tables.
-- A report-group schedule. ScheduledTime is the first run in the schedule's own time-zone
-- region (TZRegion); FirstDateTime is the same moment in the server's time.
CREATE TABLE rg_schedule (
  Id integer PRIMARY KEY,
  ClientMachineID integer NOT NULL DEFAULT 0,
  ScheduleActive varchar(1) NOT NULL DEFAULT 'Y',
  RptGrpID integer NOT NULL,
  RunMode varchar(1) NOT NULL DEFAULT 'S',
  RetrieveMode varchar(8),
  AutoPurge varchar(8),
  PurgeInterval integer,
  SubFolderName varchar(255),
  FirstDateTime {{timestamp}},
  FinalDateTime {{timestamp}},
  WhichMonthDate integer,
  WhichWeek integer,
  WhichWeekday integer,
  Periodicity varchar(1),
  Frequency integer,
  IncludeMondays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeTuesdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeWednesdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeThursdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeFridays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeSaturdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeSundays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeHolidays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeDayAfterHol varchar(1) NOT NULL DEFAULT 'Y',
  OvrScenarioId integer NOT NULL DEFAULT 0,
  OvrChanSetId integer NOT NULL DEFAULT 0,
  OvrDestinationId integer NOT NULL DEFAULT 0,
  OvrDTScopeId integer NOT NULL DEFAULT 0,
  OvrSrvGroupID integer NOT NULL DEFAULT 0,
  DLGroupBy varchar(8),
  TZRegion varchar(64),
  ScheduledTime {{timestamp}},
  NextRunDate {{timestamp}},
  LastRunDate {{timestamp}}
);
CREATE VIEW rg_schedule_view AS
SELECT
  s.Id, s.ClientMachineID, s.ScheduleActive, s.RptGrpID, s.RunMode, s.RetrieveMode,
  s.AutoPurge, s.PurgeInterval, s.SubFolderName, s.FirstDateTime, s.ScheduledTime,
  s.FinalDateTime, s.WhichMonthDate, s.WhichWeek, s.WhichWeekday, s.Periodicity, s.Frequency,
  s.IncludeMondays,
  s.IncludeTuesdays,
  s.IncludeWednesdays,
  s.IncludeThursdays,
  s.IncludeFridays,
  s.IncludeSaturdays,
  s.IncludeSundays,
  s.IncludeHolidays,
  s.IncludeDayAfterHol,
  s.OvrScenarioId, s.OvrChanSetId, s.OvrDestinationId, s.OvrDTScopeId, s.OvrSrvGroupID,
  s.DLGroupBy, s.TZRegion, s.NextRunDate, s.LastRunDate
FROM rg_schedule s;

-- A soft-alarm schedule. Databases of earlier releases have no TimeOut column.
CREATE TABLE sa_schedule (
  Id integer PRIMARY KEY,
  ClientMachineID integer NOT NULL DEFAULT 0,
  ScheduleActive varchar(1) NOT NULL DEFAULT 'Y',
  RptGrpID integer NOT NULL,
  RunMode varchar(1) NOT NULL DEFAULT 'S',
  RetrieveMode varchar(8),
  AutoPurge varchar(8),
  PurgeInterval integer,
  SubFolderName varchar(255),
  FirstDateTime {{timestamp}},
  FinalDateTime {{timestamp}},
  WhichMonthDate integer,
  WhichWeek integer,
  WhichWeekday integer,
  Periodicity varchar(1),
  Frequency integer,
  IncludeMondays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeTuesdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeWednesdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeThursdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeFridays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeSaturdays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeSundays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeHolidays varchar(1) NOT NULL DEFAULT 'Y',
  IncludeDayAfterHol varchar(1) NOT NULL DEFAULT 'Y',
  OvrScenarioId integer NOT NULL DEFAULT 0,
  TimeOut integer,
  Timeout_unit varchar(8),
  NextRunDate {{timestamp}},
  LastRunDate {{timestamp}}
);
CREATE VIEW SA_Schedule_View AS SELECT * FROM sa_schedule;

-- One row per hour of the day in which a soft-alarm schedule must not run.
CREATE TABLE Schedule_Hour_Ex (
  Schedule_ID integer NOT NULL,
  Hour integer NOT NULL
);

CREATE TABLE EN_Event_Type (
  Event_Type_ID integer PRIMARY KEY,
  Name varchar(64) NOT NULL UNIQUE
);
-- The events that trigger a soft-alarm schedule.
CREATE TABLE Schedule_Event (
  Schedule_ID integer NOT NULL,
  Event_Type_ID integer NOT NULL REFERENCES EN_Event_Type (Event_Type_ID)
);
INSERT INTO EN_Event_Type (Event_Type_ID, Name) VALUES (1, 'Data load');
INSERT INTO EN_Event_Type (Event_Type_ID, Name) VALUES (2, 'Threshold crossed');
