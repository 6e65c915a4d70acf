"""Objects by ProgID: members by name, the default member, iteration, len, dir and help,
errors, and the apartment rule."""
import pydoc
import threading

import pytest

import plexion


def test_collections(g):
    tabs = g.AppTabs("Schedule")
    names = [tab.Name for tab in tabs]
    assert names[0] == "General" and len(tabs) == len(names) == tabs.Count()
    assert tabs[1] is tabs("General") is tabs.Item(1)      # one wrapper per object
    assert tabs["general"].Label == "General"
    assert tabs["no such tab"] is None                      # a failed lookup is no object
    assert bool(tabs) and not plexion.Dispatch("Plexion.CPlexionCtls")
    assert [t.Name for t in tabs] == names                  # a fresh enumerator each time
    assert tabs == g.AppTabs("Schedule") and hash(tabs) == hash(g.AppTabs("Schedule"))


def test_properties_and_methods(g):
    sched = plexion.Dispatch("Plexion.CSchedData")
    sched.LoadSchedData(1, "Schedule")
    assert isinstance(sched.RptGrpID, int)
    sched.Periodicity = "D"
    assert sched.Periodicity == "D"
    assert sched.DBFinalDateTime.SqlText.startswith("'")    # an external object, by name
    assert isinstance(sched.LoadSchedData, plexion.Member)
    assert "0x60030030" in sched.LoadSchedData.__doc__
    with pytest.raises(AttributeError, match="can only be assigned"):
        sched.DTScopeData
    with pytest.raises(AttributeError, match="cannot be assigned"):
        sched.IsOverride = True
    with pytest.raises(AttributeError, match="has no member 'Nope'"):
        sched.Nope
    with pytest.raises(TypeError, match="no default member"):
        sched()
    with pytest.raises(TypeError, match="not iterable"):
        iter(sched)
    with pytest.raises(TypeError, match="no length"):
        len(g)
    assert bool(g)


def test_dir_and_help(g):
    members = dir(g)
    assert {"AppTabs", "WeekdayToDB", "SchedDataFields"} <= set(members)
    text = pydoc.render_doc(g)
    assert "0x60030004  method  AppTabs(ByRef sKey As String) As CPlexionCtls" in text
    assert "GetNumServersForReportGroup(ByVal lReportGroupID As Long, Optional ByVal " \
           "lServerGroupID As Long = 0) As Long" in text
    notify = pydoc.render_doc(plexion.Dispatch("Plexion.CPlexionNotify"))
    assert "0x60030004  method  NotifyTabOverride(ByRef TheName As String, ByRef TheState " \
           "As Boolean)" in notify
    assert type(g).__name__ == "GPlexion" and isinstance(g, plexion.Object)


def test_dispatch_errors(g):
    with pytest.raises(plexion.DispatchError) as raised:
        g.WeekdayToDB()
    e = raised.value
    assert (e.status, e.number, e.source) == (0x8002000E, 450, "Plexion")
    day = plexion.Ref("Friday")
    with pytest.raises(plexion.DispatchError) as raised:   # one holder too many
        g.WeekdayToDB(day, plexion.Ref(1))
    assert raised.value.status == 0x8002000E and day.value == "Friday"
    with pytest.raises(plexion.DispatchError) as raised:
        g.GetNumServersForReportGroup("twelve")
    assert raised.value.status == 0x80020005 and raised.value.arg_index == 0
    with pytest.raises(plexion.DispatchError) as raised:
        plexion.Dispatch("Plexion.CSASchedData").LoadSASchedData(987654)
    e = raised.value
    assert (e.status, e.number, e.source) == (0x80020009, 3021, "DbRecordset")
    assert e.scode == 0x800A0BCD and "3021" in str(e)
    with pytest.raises(plexion.DispatchError) as raised:
        plexion.Dispatch("Plexion.NoSuchClass")
    assert raised.value.status == 0x80040154
    with pytest.raises(TypeError):
        plexion.Object()


def test_objects_are_bound_to_their_thread(g):
    outcome = {}

    def elsewhere():
        try:
            g.WeekdayToDB("Friday")
        except plexion.ApartmentError as e:
            outcome["foreign"] = str(e)
        own = plexion.Dispatch("Plexion.GPlexion")     # a thread may make its own objects
        outcome["own"] = own.WeekdayToDB("Friday")
        outcome["tabs"] = len(own.AppTabs("Schedule"))
    thread = threading.Thread(target=elsewhere)
    thread.start()
    thread.join()
    assert "apartment-bound" in outcome["foreign"]
    assert outcome["own"] == 6 and outcome["tabs"] == len(g.AppTabs("Schedule"))


def test_every_property_getter_of_every_class_answers():
    """A fresh object of each class: every getter gives a value or a DispatchError."""
    read = failed = 0
    for progid in plexion.classes():
        obj = plexion.Dispatch(progid)
        getters = [name for name in dir(obj) if " get     %s()" % name in type(obj).__doc__]
        for name in getters:
            read += 1
            try:
                assert not isinstance(getattr(obj, name), plexion.Member)
            except plexion.DispatchError as e:
                failed += 1
                assert e.number and e.description
    assert len(plexion.classes()) == 10 and read > 100 and failed < read
