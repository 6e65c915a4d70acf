"""The value types a script hands to Plexion and gets back: holders for by-reference
arguments, arrays with bounds, the Null/Empty/Nothing markers and the errors."""


class _Marker:
    __slots__ = ("_name",)

    def __init__(self, name):
        self._name = name

    def __repr__(self):
        return "plexion." + self._name

    def __reduce__(self):
        return self._name


Null = _Marker("Null")        # a Null value (None is Empty)
Empty = _Marker("Empty")      # Empty where None would read as no object
Nothing = _Marker("Nothing")  # an object reference to no object


class Ref:
    """A holder for a by-reference argument: the member's answer lands in .value."""

    __slots__ = ("value",)

    def __init__(self, value=None):
        self.value = value

    def __repr__(self):
        return "plexion.Ref(%r)" % (self.value,)


class Array(list):
    """An array as the library holds it: one or two dimensions, each with its own bounds.

    A one-dimensional array is a list of its elements; a two-dimensional one is a list over
    the first dimension of lists over the second. `bounds` holds (lower, upper) for each
    dimension; `at(i)` / `at(i, j)` index with the array's own bounds. An unallocated array
    has no dimensions.
    """

    def __init__(self, items=(), lower=0, bounds=None):
        super().__init__(items)
        if bounds is None:
            bounds = ((lower, lower + len(self) - 1),)
        self.bounds = tuple(tuple(b) for b in bounds)
        expected = self.bounds[0][1] - self.bounds[0][0] + 1 if self.bounds else 0
        if len(self) != max(expected, 0):
            raise ValueError("bounds %r do not match %d elements" % (self.bounds, len(self)))

    @property
    def dims(self):
        return len(self.bounds)

    def at(self, *index):
        if len(index) != self.dims:
            raise IndexError("this array has %d dimension(s)" % self.dims)
        item = self
        for (lower, upper), i in zip(self.bounds, index):
            if not lower <= i <= upper:
                raise IndexError("index %d outside %d to %d" % (i, lower, upper))
            item = item[i - lower]
        return item

    def __repr__(self):
        return "plexion.Array(%s, bounds=%r)" % (list.__repr__(self), self.bounds)


class DispatchError(Exception):
    """A failing call: the dispatch status, the error's own status (scode), its number,
    source and description, and the position of an argument that did not convert."""

    def __init__(self, status, scode, number, source, description, arg_index=None):
        super().__init__("%s (%s, error %d)" % (description, source, number))
        self.status = status
        self.scode = scode
        self.number = number
        self.source = source
        self.description = description
        self.arg_index = arg_index


class DispatchOverflowError(DispatchError, OverflowError):
    """A value that does not fit the member's type (DISP_E_OVERFLOW or error 6)."""


class ApartmentError(RuntimeError):
    """An object used on a thread other than the one that made it."""


for _public in (Ref, Array, DispatchError, DispatchOverflowError, ApartmentError):
    _public.__module__ = "plexion"
