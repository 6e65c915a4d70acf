"""plexion.transaction: what a block saves is stored whole, or not at all."""
import pytest

import plexion


class Interrupted(Exception):
    pass


def stored_hours():
    hours = plexion.Dispatch("Plexion.CSASchedData").GetHoursEx(1)
    return [k - 1 for k in range(1, hours.SlotCount + 1) if hours.Excluded(k)]


def save_hours(excluded):
    """Soft-alarm schedule 1's side rows, saved with these hours excluded."""
    schedule = plexion.Dispatch("Plexion.CSASchedData")
    schedule.LoadSASchedData(1)
    hours = schedule.GetHoursEx(1)
    hours.ClearAll()
    for hour in excluded:
        hours.Excluded[hour + 1] = True
    schedule.HourEXData = hours
    schedule.SaveSubTableData()


def committed():
    with plexion.transaction("sa_schedule", 1):
        save_hours([4, 5])


def raised():
    with plexion.transaction("sa_schedule", 1):
        save_hours([6])
        raise Interrupted()


def joined():
    with plexion.transaction():
        with plexion.transaction("sa_schedule", 1):
            save_hours([7, 8])
        assert stored_hours() == [7, 8]       # this connection sees its own unit


def joined_block_raised_and_caught():
    with plexion.transaction():
        save_hours([9])
        try:
            with plexion.transaction("sa_schedule", 1):
                save_hours([10])
                raise Interrupted()
        except Interrupted:
            pass


def test_a_transaction_stores_its_block_whole_or_not_at_all():
    before = stored_hours()
    cases = [(committed, None, [4, 5]),
             (raised, Interrupted, [4, 5]),
             (joined, None, [7, 8]),
             (joined_block_raised_and_caught, "the save was undone", [7, 8])]
    try:
        for block, error, hours in cases:
            if error is None:
                block()
            elif isinstance(error, str):
                with pytest.raises(plexion.DispatchError, match=error):
                    block()
            else:
                with pytest.raises(error):
                    block()
            assert stored_hours() == hours, block.__name__
    finally:
        save_hours(before)
