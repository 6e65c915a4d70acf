#!/usr/bin/env python3
"""Every application's tab set, through GPlexion.AppTabs by name.

    list_tabs.py [--db URL]
"""
import argparse

import plexion


def main():
    parser = argparse.ArgumentParser(description="list every application's tabs")
    parser.add_argument("--db", help="database URL (default: PLEXION_DB or the configuration)")
    args = parser.parse_args()
    if args.db:
        plexion.use_database(args.db)

    g = plexion.Dispatch("Plexion.GPlexion")
    for app in plexion.applications():
        tabs = g.AppTabs(app)
        print("%s (%d tabs)" % (app, len(tabs)))
        for position, tab in enumerate(tabs, start=1):
            print("  %d  %-22s %-22s %s" % (position, tab.Name, tab.Label, tab.ProgID))


if __name__ == "__main__":
    main()
