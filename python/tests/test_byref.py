"""By-reference parameters: plain values go by reference to a temporary whose answer is
dropped; a plexion.Ref holder receives the answer; a by-value parameter takes a holder's value."""
import pytest

import plexion


class Answering:
    def __init__(self):
        self.seen = []

    def TabOverride(self, name, state):
        self.seen.append((name, state))
        return name, name == "DestinationOverride"

    def ScenarioChange(self, scenario, express):
        self.seen.append((scenario, express))
        return scenario + 1, not express


def test_plain_values_and_holders(g, hub):
    assert len(g.AppTabs("Traffic")) > 0               # a by-reference key as a plain str
    editor = Answering()
    plexion.connect(hub, editor)
    state = plexion.Ref(False)
    hub.NotifyTabOverride("DestinationOverride", state)
    assert state.value is True
    hub.NotifyTabOverride("DestinationOverride", False)  # answered into a temporary: no error
    scenario, express = plexion.Ref(41), plexion.Ref(True)
    hub.NotifyScenarioChange(scenario, express)
    assert (scenario.value, express.value) == (42, False)
    assert editor.seen == [("DestinationOverride", False)] * 2 + [(41, True)]
    only = plexion.Ref(7)
    hub.NotifyScenarioChange(only)                      # the optional flag defaults to False
    assert only.value == 8 and editor.seen[-1] == (7, False)


def test_a_holder_for_a_by_value_parameter_gives_its_value(g):
    name = plexion.Ref("O'Brien's reports")
    assert g.GetFolderIdFromName(name) == 3
    assert name.value == "O'Brien's reports"
    day = plexion.Ref("Friday")
    assert g.WeekdayToDB(day) == 6 and day.value == "Friday"


def test_form_change_answers_go_to_the_hub_copies(hub):
    class Changer:
        def FormChange(self, control, prop, value):
            return control, prop, "changed"
    plexion.connect(hub, Changer())
    value = plexion.Ref("original")
    hub.NotifyFormChange("ctl", "Text", value)
    assert value.value == "original"


def test_answers_written_before_a_failure_stay(hub):
    class First:
        def TabShow(self, name):
            return "answered"

    class Failing:
        def TabShow(self, name):
            raise LookupError("no such tab: " + name)
    plexion.connect(hub, First())
    plexion.connect(hub, Failing())
    name = plexion.Ref("General")
    with pytest.raises(LookupError, match="no such tab: answered"):
        hub.NotifyTabShow(name)
    assert name.value == "answered"
