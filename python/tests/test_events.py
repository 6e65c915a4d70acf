"""Events into Python handlers: connection order, answers, errors, nesting, and the release of
handlers when connections end."""
import weakref

import pytest

import plexion


class Recorder:
    def __init__(self, log, name):
        self.log, self.name = log, name

    def TabShow(self, tab):
        self.log.append((self.name, "TabShow", tab))

    def TabStateChange(self, tab, state):
        self.log.append((self.name, "TabStateChange", tab, state))


def test_events_reach_handlers_by_name_in_connection_order(hub):
    log = []
    first = plexion.connect(hub, Recorder(log, "first"))
    plexion.connect(hub, Recorder(log, "second"))
    hub.NotifyTabShow("General")
    hub.NotifyTabStateChange("Schedule", True)
    hub.NotifyPlexStateChange("Schedule", True)   # no handler method: nothing
    hub.NotifyTabChange()
    assert log == [("first", "TabShow", "General"), ("second", "TabShow", "General"),
                   ("first", "TabStateChange", "Schedule", True),
                   ("second", "TabStateChange", "Schedule", True)]
    assert first.connected
    plexion.disconnect(first)
    assert not first.connected
    hub.NotifyTabShow("Schedule")
    assert log[-1] == ("second", "TabShow", "Schedule") and len(log) == 5
    with pytest.raises(ValueError, match="already ended"):
        plexion.disconnect(first)


def test_answer_shapes(hub):
    class Answers:
        answer = None

        def TabShow(self, tab):
            return self.answer

        def TabOverride(self, name, state):
            return self.answer
    handler = Answers()
    plexion.connect(hub, handler)
    tab = plexion.Ref("General")
    for answer, expected in [(None, "General"), ("Schedule", "Schedule"), (("Date",), "Date")]:
        handler.answer = answer
        hub.NotifyTabShow(tab)
        assert tab.value == expected
    handler.answer = True                      # two arguments need a tuple of two
    with pytest.raises(TypeError, match="tuple of the new values of its 2 arguments"):
        hub.NotifyTabOverride("x", False)
    handler.answer = ("x", "not a Boolean")
    with pytest.raises(plexion.DispatchError) as raised:
        hub.NotifyTabOverride("x", False)
    assert raised.value.number == 13


def test_a_handler_error_stops_the_event_and_reaches_the_notifier(hub):
    log = []

    class Failing:
        def TabShow(self, tab):
            raise KeyError(tab)
    plexion.connect(hub, Failing())
    plexion.connect(hub, Recorder(log, "later"))
    with pytest.raises(KeyError):
        hub.NotifyTabShow("General")
    assert log == []
    hub.NotifyTabChange()                       # the failure is not remembered


def test_nested_events_and_disconnect_during_an_event(hub):
    log = []

    class Nesting:
        def TabShow(self, tab):
            log.append(("outer", tab))
            if tab == "General":
                hub.NotifyTabShow("Nested")
                plexion.disconnect(late)

    plexion.connect(hub, Nesting())
    late = plexion.connect(hub, Recorder(log, "late"))
    hub.NotifyTabShow("General")
    assert log == [("outer", "General"), ("outer", "Nested"), ("late", "TabShow", "Nested")]


def test_handlers_are_released_when_connections_end(hub, collected):
    handler = Recorder([], "h")
    watch = weakref.ref(handler)
    with plexion.connect(hub, handler):
        del handler
        collected()
        assert watch() is not None               # the connection keeps it
    collected()
    assert watch() is None

    handler = Recorder([], "h")
    watch = weakref.ref(handler)
    plexion.connect(hub, handler)
    plexion.disconnect(hub, handler)
    del handler
    collected()
    assert watch() is None
    with pytest.raises(ValueError):
        plexion.disconnect(hub, Recorder([], "never connected"))


def test_a_cycle_through_the_hub_is_collected(collected):
    class Editor:
        def __init__(self):
            self.hub = plexion.Dispatch("Plexion.CPlexionNotify")
            plexion.connect(self.hub, self)

        def TabShow(self, tab):
            pass
    editor = Editor()
    watch_editor, watch_hub = weakref.ref(editor), weakref.ref(editor.hub)
    del editor
    collected()
    assert watch_editor() is None and watch_hub() is None


def test_the_data_availability_model_raises_its_own_events():
    log = []

    class Listener:
        def DataTypesChanged(self):
            log.append("DataTypesChanged")

        def ResetTab(self):
            log.append("ResetTab")
    data = plexion.Dispatch("Plexion.CDataAvailData")
    plexion.connect(data, Listener())
    data.UpdateTab()
    data.ResetTab()
    assert log == ["DataTypesChanged", "ResetTab"]


def test_objects_without_events_cannot_be_connected():
    with pytest.raises(plexion.DispatchError) as raised:
        plexion.connect(plexion.Dispatch("Plexion.CSchedData"), object())
    assert raised.value.status == 0x80040202 and "raises no events" in str(raised.value)
    with pytest.raises(TypeError):
        plexion.connect("not an object", object())


def test_a_connection_outlives_pythons_references_to_its_source(collected):
    """C++ keeps the hub (as a tab's Data) after Python let go of it: the handler still hears
    it and can still be disconnected; a handler still connected goes when the hub itself ends."""
    log = []
    holder = plexion.Dispatch("Plexion.CPlexionCtls")
    hub = plexion.Dispatch("Plexion.CPlexionNotify")
    holder.AddPlexion("Hub", "Hub", "X.Hub", hub)
    first, second = Recorder(log, "first"), Recorder(log, "second")
    watch_first, watch_second = weakref.ref(first), weakref.ref(second)
    plexion.connect(hub, first)
    plexion.connect(hub, second)
    del hub, second
    collected()
    again = holder("Hub").Data                  # a new wrapper of the same hub
    again.NotifyTabShow("General")
    assert log == [("first", "TabShow", "General"), ("second", "TabShow", "General")]
    plexion.disconnect(again, first)
    del first
    again.NotifyTabShow("Schedule")
    assert log[2:] == [("second", "TabShow", "Schedule")] and watch_first() is None

    del again
    collected()
    assert watch_second() is not None           # the tab set still holds the hub
    holder.Clear()                              # the hub ends and lets its listener go
    collected()
    assert watch_second() is None
