#!/usr/bin/env python3
"""A tab asks through the hub whether it may override, and the editor, a Python listener,
answers in the by-reference argument.

    tab_override.py [--db URL]
"""
import argparse

import plexion


class Editor:
    """Listens to the hub: allows the destination and date-time overrides only."""

    ALLOWED = {"DestinationOverride", "DateTimeOverride"}

    def TabShow(self, name):
        print("editor: showing", name)

    def TabOverride(self, name, state):
        allowed = name in self.ALLOWED
        print("editor: TabOverride(%s) answered %s" % (name, allowed))
        return name, allowed


def main():
    parser = argparse.ArgumentParser(description="answer a tab's override question")
    parser.add_argument("--db", help="database URL (default: PLEXION_DB or the configuration)")
    args = parser.parse_args()
    if args.db:
        plexion.use_database(args.db)

    g = plexion.Dispatch("Plexion.GPlexion")
    hub = plexion.Dispatch("Plexion.CPlexionNotify")
    with plexion.connect(hub, Editor()):
        for tab in g.AppTabs("Schedule"):
            control = plexion.Dispatch("Plexion.IPlexionControl")  # a tab's contract
            control.LoadData(tab.Data, tab.Name, hub)
            hub.NotifyTabShow(tab.Name)
            if tab.Name.endswith("Override"):
                state = plexion.Ref(False)
                hub.NotifyTabOverride(tab.Name, state)
                print("tab %s reads back %s" % (tab.Name, state.value))


if __name__ == "__main__":
    main()
