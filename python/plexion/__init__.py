"""Plexion from Python: late binding over the type library.

    import plexion
    g = plexion.Dispatch("Plexion.GPlexion")
    for tab in g.AppTabs("Schedule"):
        print(tab.Name, tab.Label, tab.ProgID)

Objects are created by ProgID and called by name: properties as attributes, methods as
callables (positional and keyword arguments), the default member through obj() and obj[key],
collections iterable and sized. A by-reference parameter given a plexion.Ref holder answers in
its .value; a plain value is passed by reference to a temporary. plexion.connect binds a Python
object to an object's events. `with plexion.transaction():` saves whole. Failing calls raise
plexion.DispatchError. Objects belong to the thread that made them (plexion.ApartmentError
elsewhere).
"""
import contextlib

from ._values import (Array, ApartmentError, DispatchError, DispatchOverflowError, Empty,
                      Nothing, Null, Ref)
from ._plexion import (Connection, Dispatch, Enumerator, Member, Object, applications, classes,
                       connect, create, database_url, disconnect, use_database)
from . import _plexion

__all__ = ["Array", "ApartmentError", "Connection", "Dispatch", "DispatchError",
           "DispatchOverflowError", "Empty", "Enumerator", "Member", "Nothing", "Null", "Object",
           "Ref", "applications", "classes", "connect", "create", "database_url", "disconnect",
           "transaction", "use_database"]


@contextlib.contextmanager
def transaction(document_kind="", document_id=0):
    """A unit of work: what the block saves is stored when the block ends normally, and none of
    it when the block raises. document_kind and document_id name the document saved
    ("sa_schedule", 1), so that two saves of it never interleave. A block inside another joins
    it; when the inner one raises, the outer one rolls back as a whole (leaving the outer block
    normally then raises DispatchError "the save was undone: ...")."""
    unit = _plexion._Transaction(document_kind, document_id)
    try:
        yield
        unit.commit()
    finally:
        unit.end()
