#!/usr/bin/env python3
"""A data-availability search driven from Python: the selector controls are Python objects
that the model fills, and the search object's table is printed at the end.

    data_availability.py [--type Traffic]... [--system S101-A]... [--start D] [--end D] [--db URL]
"""
import argparse
import sys

import plexion


class Selector:
    """A selector control: the model adds its columns and rows and sets its caption."""

    def __init__(self):
        self.Caption = ""
        self.columns, self.rows = [], []

    def AddColumn(self, text, width, flag):
        self.columns.append(text)

    def AddRow(self, text, key):
        self.rows.append(Row(text, key))
        return self.rows[-1]


class Row:
    def __init__(self, text, key):
        self.text, self.key = text, key
        self.SubItems = {}   # the model writes row.SubItems[k]


class Events:
    def DataTypesChanged(self):
        print("  event DataTypesChanged")


def print_table(table):
    """The search object's table: first dimension the fields, second the rows (row 0 names them)."""
    if table.dims != 2:
        return
    (f0, f1), (r0, r1) = table.bounds
    widths = [max(len(str(table.at(f, r))) for r in range(r0, r1 + 1)) for f in range(f0, f1 + 1)]
    for r in range(r0, r1 + 1):
        print("  " + "  ".join(str(table.at(f, r)).ljust(w) for f, w in zip(range(f0, f1 + 1), widths)).rstrip())


def main():
    parser = argparse.ArgumentParser(description="run a data-availability search")
    parser.add_argument("--type", action="append", default=None, help="a data type (repeatable)")
    parser.add_argument("--system", action="append", default=None, help="a system key (repeatable)")
    parser.add_argument("--start", default="3/3/2026")
    parser.add_argument("--end", default="3/5/2026")
    parser.add_argument("--db", help="database URL (default: PLEXION_DB or the configuration)")
    args = parser.parse_args()
    if args.db:
        plexion.use_database(args.db)
    types = args.type or ["Traffic", "Failures"]
    systems = args.system or ["S101-A", "S201-B"]

    search = plexion.create("CoverageDb")
    model = plexion.Dispatch("Plexion.CDataAvailData")
    model.Initialize(search)
    plexion.connect(model, Events())

    data_types = Selector()
    model.SetupDatatypeControl(data_types)
    print("data types:", ", ".join(row.text for row in data_types.rows))

    # One system selector per level: the entity types that link to a next one. Each system is
    # chosen at the level of the first selector that lists it.
    entity_types = model.PhysicalEntityTypes
    levels = sum(1 for i in range(1, len(entity_types) + 1) if entity_types[i].NextTypeId > 0)
    chosen, placed = {}, set()
    for _ in range(levels):
        selector = Selector()
        level = model.SetupSystemControl(selector)
        keys = [row.key for row in selector.rows]
        print("level %d (%s): %s" % (level, selector.Caption, ", ".join(keys) or "none"))
        for key in systems:
            if key in keys and key not in placed:
                chosen.setdefault(level, []).append(key)
                placed.add(key)
    missing = [key for key in systems if key not in placed]
    if missing:
        print("no system selector lists", ", ".join(missing))
        return 1

    model.SelectedDatatypes(types)
    for level, keys in sorted(chosen.items()):
        model.AddSelectedSystems(keys, level)
    model.StartDate, model.EndDate = args.start, args.end
    print("search %s to %s for %s on %s" % (model.StartDate, model.EndDate, ", ".join(types),
                                            ", ".join(systems)))
    if not model.ValidSearch:
        print("not valid:", model.InValidSearchReasonText)
        return 1
    model.ExecuteQuery()
    print_table(search.QueryResults)
    return 0


if __name__ == "__main__":
    sys.exit(main())
