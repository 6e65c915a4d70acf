"""Values both ways: a tab descriptor's Data hands back what AddPlexion was given, so every
Python value makes the round trip through the library's variants."""
import datetime

import pytest

import plexion


def round_trip(value):
    tabs = plexion.Dispatch("Plexion.CPlexionCtls")
    tabs.AddPlexion("k", "label", "Prog.Id", value)
    return tabs["k"].Data


@pytest.mark.parametrize("value, expected", [
    (None, None),
    (plexion.Empty, None),
    (plexion.Null, plexion.Null),
    (True, True),
    (False, False),
    (7, 7),
    (-2**31, -2**31),
    (2**31 - 1, 2**31 - 1),
    (1.5, 1.5),
    ("héllo 'quoted'", "héllo 'quoted'"),
    ("", ""),
    (datetime.datetime(2036, 12, 31, 15, 4, 5), datetime.datetime(2036, 12, 31, 15, 4, 5)),
    (datetime.date(2026, 3, 3), datetime.datetime(2026, 3, 3)),
    (datetime.datetime(1899, 12, 29, 6, 0), datetime.datetime(1899, 12, 29, 6, 0)),
    ([1, "a", [2.5]], [1, "a", [2.5]]),
    ((), []),
])
def test_round_trip(value, expected):
    answer = round_trip(value)
    assert answer == expected
    assert type(answer) is type(expected) or isinstance(answer, plexion.Array)


def test_arrays_keep_bounds_and_two_dimensions():
    one = round_trip(plexion.Array(["a", "b", "c"], lower=1))
    assert one.bounds == ((1, 3),) and one.at(3) == "c" and one == ["a", "b", "c"]
    two = round_trip(plexion.Array([[1, 2, 3], [4, 5, 6]], bounds=[(1, 2), (0, 2)]))
    assert two.dims == 2 and two.bounds == ((1, 2), (0, 2))
    assert two.at(2, 0) == 4 and two.at(1, 2) == 3
    assert round_trip(plexion.Array([], bounds=())).bounds == ()
    assert round_trip([]).bounds == ((0, -1),)
    with pytest.raises(IndexError):
        two.at(3, 0)
    with pytest.raises(ValueError):
        plexion.Array([1, 2], bounds=[(1, 3)])


def test_objects_come_back_as_the_same_wrapper(hub):
    assert round_trip(hub) is hub
    assert round_trip(plexion.Nothing) is None


def test_typed_parameters_convert_with_the_host_rules(g):
    assert g.DBToWeekday(3) == "Tuesday"
    assert g.DBToWeekday("3") == "Tuesday"        # a numeric text to a Long
    assert g.DBToWeekday(3.5) == "Wednesday"      # half to even: 4
    assert g.WeekdayToDB("Friday") == 6
    report = plexion.Dispatch("Plexion.CReportDefData")
    report.MapRadiusScale = 2**40                 # a large int reaches a Single as a number
    assert report.MapRadiusScale == float(2**40)
    sched = plexion.Dispatch("Plexion.CSchedData")
    sched.FirstDateTime = datetime.date(2026, 1, 5)
    assert sched.FirstDateTime == datetime.datetime(2026, 1, 5)
    sched.FirstDateTime = "3/4/2026 5:06 PM"      # a date text to a Date
    assert sched.FirstDateTime == datetime.datetime(2026, 3, 4, 17, 6)


def test_values_that_do_not_fit(g):
    with pytest.raises(OverflowError, match="does not fit a Long"):
        g.DBToWeekday(2**31)
    with pytest.raises(OverflowError):
        round_trip(-2**31 - 1)
    data = plexion.Dispatch("Plexion.CDataAvailData")
    with pytest.raises(plexion.DispatchOverflowError) as raised:  # an Integer parameter
        data.AddSelectedSystems(["S101-A"], 40000)
    assert isinstance(raised.value, OverflowError) and raised.value.arg_index == 1
    with pytest.raises(TypeError, match="'object' cannot be passed"):
        round_trip(object())
    with pytest.raises(TypeError, match="holder"):
        round_trip([plexion.Ref(1)])
    sched = plexion.Dispatch("Plexion.CSchedData")
    with pytest.raises(plexion.DispatchError) as raised:
        sched.FirstDateTime = "not a date"
    assert raised.value.status == 0x80020005 and raised.value.number == 13


def test_keyword_arguments_by_parameter_name(g):
    assert g.GetNumServersForReportGroup(lReportGroupID=12, lServerGroupID=1) == 2
    assert g.GetNumServersForReportGroup(12, lservergroupid=1) == 2   # letter case ignored
    assert g.GetNumServersForReportGroup(12) == g.GetNumServersForReportGroup(12, 0)
    with pytest.raises(TypeError, match="no parameter 'group'"):
        g.GetNumServersForReportGroup(12, group=1)
    with pytest.raises(TypeError, match="more than one value"):
        g.GetNumServersForReportGroup(12, lReportGroupID=12)
    # An optional parameter without a default cannot be left out before a later one.
    report = plexion.Dispatch("Plexion.CReportDefData")
    args = [plexion.Ref(0)] * 21
    with pytest.raises(TypeError, match="cannot leave out 'ServerGroupTypeA'"):
        report.InitEdit(*args, nServerGroupIdA=3)
