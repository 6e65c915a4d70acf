"""The suite runs against an installed (or built) plexion package and a database with the
demo rows: PYTHONPATH names the package's site directory, PLEXION_DB the database."""
import gc

import pytest

import plexion


@pytest.fixture
def g():
    return plexion.Dispatch("Plexion.GPlexion")


@pytest.fixture
def hub():
    return plexion.Dispatch("Plexion.CPlexionNotify")


@pytest.fixture
def collected():
    """Runs the cycle collector, for tests that watch objects go."""
    def collect():
        for _ in range(3):
            gc.collect()
    return collect
