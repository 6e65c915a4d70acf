#!/usr/bin/env python3
"""Loads a soft-alarm schedule, excludes hours of the day and saves its side rows.

    soft_alarm_hours.py [ID] [--exclude 3,12,23] [--db URL]
"""
import argparse

import plexion


def excluded_hours(hours):
    """The excluded hours of a set whose slot k (from SlotBase) stands for hour k - SlotBase."""
    base = hours.SlotBase
    return [k - base for k in range(base, base + hours.SlotCount) if hours.Excluded(k)]


def main():
    parser = argparse.ArgumentParser(description="exclude hours of a soft-alarm schedule")
    parser.add_argument("id", nargs="?", type=int, default=1, help="soft-alarm schedule id")
    parser.add_argument("--exclude", default="3,12,23", help="hours to exclude, comma-separated")
    parser.add_argument("--db", help="database URL (default: PLEXION_DB or the configuration)")
    args = parser.parse_args()
    if args.db:
        plexion.use_database(args.db)

    schedule = plexion.Dispatch("Plexion.CSASchedData")
    schedule.LoadSASchedData(args.id)
    print("soft-alarm schedule %d: RptGrpID %d, Periodicity %r, runs %s to %s"
          % (schedule.ScheduleID, schedule.RptGrpID, schedule.Periodicity,
             schedule.FirstDateTime, schedule.FinalDateTime))
    hours = schedule.GetHoursEx(args.id)
    print("excluded hours stored:", excluded_hours(hours) or "none")

    hours.ClearAll()
    for hour in (int(h) for h in args.exclude.split(",") if h.strip()):
        hours.Excluded[hour + hours.SlotBase] = True
    schedule.HourEXData = hours
    with plexion.transaction("sa_schedule", args.id):   # the hours saved whole, or not at all
        schedule.SaveSubTableData()
    print("excluded hours saved: ", excluded_hours(schedule.GetHoursEx(args.id)) or "none")


if __name__ == "__main__":
    main()
