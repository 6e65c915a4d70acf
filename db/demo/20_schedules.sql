-- Demo schedules: a plain one, one with a time-zone region, one of enterprise mode.
INSERT INTO rg_schedule (Id, ClientMachineID, ScheduleActive, RptGrpID, RunMode, RetrieveMode,
  AutoPurge, PurgeInterval, SubFolderName, FirstDateTime, ScheduledTime, FinalDateTime,
  WhichMonthDate, WhichWeek, WhichWeekday, Periodicity, Frequency, OvrScenarioId, OvrChanSetId,
  OvrDestinationId, OvrDTScopeId, OvrSrvGroupID, DLGroupBy, TZRegion)
VALUES (1, 3, 'Y', 12, 'S', 'N', 'Y', 30, 'Nightly', '2026-01-05 02:00:00', '2026-01-05 02:00:00',
  '2036-12-31 00:00:00', 0, 1, 1, 'D', 1, 0, 0, 0, 0, 0, NULL, NULL);
INSERT INTO rg_schedule (Id, ClientMachineID, ScheduleActive, RptGrpID, RunMode, RetrieveMode,
  AutoPurge, PurgeInterval, SubFolderName, FirstDateTime, ScheduledTime, FinalDateTime,
  WhichMonthDate, WhichWeek, WhichWeekday, Periodicity, Frequency, IncludeSaturdays,
  IncludeSundays, OvrScenarioId, OvrChanSetId, OvrDestinationId, OvrDTScopeId, OvrSrvGroupID,
  DLGroupBy, TZRegion)
VALUES (2, 3, 'Y', 7, 'S', 'N', 'N', NULL, '', '2026-03-01 14:30:00', '2026-03-01 08:30:00',
  '2026-12-31 00:00:00', 0, 2, 3, 'W', 1, 'N', 'N', 4, 2, 0, 0, 0, NULL, 'Central');
INSERT INTO rg_schedule (Id, ClientMachineID, ScheduleActive, RptGrpID, RunMode, RetrieveMode,
  AutoPurge, PurgeInterval, SubFolderName, FirstDateTime, ScheduledTime, FinalDateTime,
  WhichMonthDate, WhichWeek, WhichWeekday, Periodicity, Frequency, OvrScenarioId, OvrChanSetId,
  OvrDestinationId, OvrDTScopeId, OvrSrvGroupID, DLGroupBy, TZRegion)
VALUES (3, 5, 'N', 12, 'I', 'A', 'Y', 7, 'Enterprise', '2026-06-01 00:00:00', '2026-06-01 00:00:00',
  '2036-12-31 00:00:00', 15, 1, 1, 'M', 1, 9, 0, 1, 1, 2, 'S', NULL);

-- Demo soft-alarm schedules: an hourly one with excluded hours and a time-out, one that a data
-- load triggers.
INSERT INTO sa_schedule (Id, ClientMachineID, ScheduleActive, RptGrpID, RunMode, RetrieveMode,
  AutoPurge, PurgeInterval, SubFolderName, FirstDateTime, FinalDateTime, WhichMonthDate,
  WhichWeek, WhichWeekday, Periodicity, Frequency, OvrScenarioId, TimeOut, Timeout_unit)
VALUES (1, 3, 'Y', 12, 'S', 'N', 'Y', 14, 'Alarms', '2026-02-01 00:00:00', '2036-12-31 00:00:00',
  0, 1, 1, 'H', 1, 4, 30, 'M');
INSERT INTO sa_schedule (Id, ClientMachineID, ScheduleActive, RptGrpID, RunMode, RetrieveMode,
  AutoPurge, PurgeInterval, SubFolderName, FirstDateTime, FinalDateTime, WhichMonthDate,
  WhichWeek, WhichWeekday, Periodicity, Frequency, OvrScenarioId, TimeOut, Timeout_unit)
VALUES (2, 3, 'Y', 7, 'S', 'N', 'N', NULL, '', '2026-02-01 00:00:00', '2036-12-31 00:00:00',
  0, 1, 1, 'N', 1, 0, NULL, NULL);
INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) VALUES (1, 0);
INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) VALUES (1, 23);
INSERT INTO Schedule_Event (Schedule_ID, Event_Type_ID) VALUES (2, 1);
