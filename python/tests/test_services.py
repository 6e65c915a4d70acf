"""External objects (hour-exclusion sets, the search object, Python controls) and the
database in use."""
import os

import pytest

import plexion


class Selector:
    """A selector control implemented in Python: it keeps what the model loads into it."""

    def __init__(self):
        self.Caption = ""
        self.columns, self.rows = [], []

    def AddColumn(self, text, width, flag):
        self.columns.append(text)

    def AddRow(self, text, key):
        row = Row(text, key)
        self.rows.append(row)
        return row


class Row:
    def __init__(self, text, key):
        self.text, self.key, self.SubItems = text, key, {}


def test_hour_exclusion_sets():
    hours = plexion.create("HourExSet")
    hours.SlotBase, hours.SlotCount = 1, 24
    hours.ClearAll()
    hours.Excluded[4] = True
    assert hours.Excluded(4) and hours.Excluded[4] and not hours.Excluded(5)
    assert "Excluded(ByVal slot As Long) As Boolean" in type(hours).__doc__
    stored = plexion.Dispatch("Plexion.CSASchedData").GetHoursEx(1)
    assert stored.SlotCount == 24
    with pytest.raises(ValueError, match="HourExSet, CoverageDb"):
        plexion.create("SelectorCtl")


def test_a_search_with_python_controls():
    search = plexion.create("CoverageDb")
    data = plexion.Dispatch("Plexion.CDataAvailData")
    data.Initialize(search)
    types = Selector()
    data.SetupDatatypeControl(types)
    assert "Traffic" in [row.text for row in types.rows] and types.columns[0] == "Data Type"
    systems = Selector()
    level = data.SetupSystemControl(systems)
    assert level == 1 and systems.Caption and systems.rows
    assert systems.rows[0].SubItems                      # the model filled the sub-items
    data.SelectedDatatypes(["Traffic"])
    data.AddSelectedSystems([systems.rows[0].key], level)
    data.StartDate, data.EndDate = "3/3/2026", "3/5/2026"
    assert data.ValidSearch, data.InValidSearchReasonText
    assert data.ExecuteQuery().bounds == ((0, -1),)
    table = search.QueryResults
    assert table.dims == 2 and table.at(1, 0) == "Data type"


def test_a_python_control_error_reaches_the_caller():
    class Broken(Selector):
        def AddColumn(self, text, width, flag):
            raise RuntimeError("broken control")
    with pytest.raises(RuntimeError, match="broken control"):
        plexion.Dispatch("Plexion.CDataAvailData").SetupDatatypeControl(Broken())


def test_switching_databases(tmp_path):
    before = plexion.database_url()
    sched = plexion.Dispatch("Plexion.CSASchedData")
    sched.LoadSASchedData(1)
    plexion.use_database("sqlite3://db=%s" % (tmp_path / "empty.db"))
    try:
        assert "empty.db" in plexion.database_url()
        with pytest.raises(plexion.DispatchError) as raised:   # a new schema, no rows
            plexion.Dispatch("Plexion.CSASchedData").LoadSASchedData(1)
        assert raised.value.number == 3021
    finally:
        plexion.use_database(before)
    plexion.Dispatch("Plexion.CSASchedData").LoadSASchedData(1)
    with pytest.raises(plexion.DispatchError):
        plexion.use_database("nosuchengine://db=x")
    assert plexion.database_url() == before
    plexion.Dispatch("Plexion.CSASchedData").LoadSASchedData(1)


@pytest.mark.skipif("PLEXION_DB" not in os.environ, reason="PLEXION_DB is not set")
def test_the_database_comes_from_the_environment():
    assert plexion.database_url() == os.environ["PLEXION_DB"]
