"""Plexion from Python: late binding over the type library.

    import plexion
    g = plexion.Dispatch("Plexion.GPlexion")
    for tab in g.AppTabs("Schedule"):
        print(tab.Name, tab.Label, tab.ProgID)

Objects are created by ProgID and called by name: properties as attributes, methods as
callables (positional and keyword arguments), the default member through obj() and obj[key],
collections iterable and sized. A by-reference parameter given a plexion.Ref holder answers in
its .value; a plain value is passed by reference to a temporary. plexion.connect binds a Python
object to an object's events. Failing calls raise plexion.DispatchError. Objects belong to the
thread that made them (plexion.ApartmentError elsewhere).
"""

from ._values import (Array, ApartmentError, DispatchError, DispatchOverflowError, Empty,
                      Nothing, Null, Ref)
from ._plexion import (Connection, Dispatch, Enumerator, Member, Object, applications, classes,
                       connect, create, database_url, disconnect, use_database)

__all__ = ["Array", "ApartmentError", "Connection", "Dispatch", "DispatchError",
           "DispatchOverflowError", "Empty", "Enumerator", "Member", "Nothing", "Null", "Object",
           "Ref", "applications", "classes", "connect", "create", "database_url", "disconnect", "use_database"]
