# The prologue that scripts/examples, scripts/python-examples and scripts/qt-editor share:
#   source scripts/example-prologue.sh BUILD_DIR DATABASE_URL
# from the repository root. Installs the build into BUILD_DIR/install, gives the run a temporary
# folder and registry (removed on exit), fills the database with the demo rows and registers the
# installed library in that registry, as a host's installation does.
# Sets build, db, prefix, plexion (the installed command), work, jobs (the cores to build with)
# and python (the interpreter the build's Python package is for); exports PLEXION_DB and
# PLEXION_REGISTRY.
build=$1
db=$2
prefix=$PWD/$build/install
plexion=$prefix/bin/plexion
jobs=$(nproc)
python=$(sed -n 's/^Python3_EXECUTABLE:[A-Z]*=//p' "$build/CMakeCache.txt")
[[ -n $python ]] || python=$(scripts/find-python)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PLEXION_DB=$db PLEXION_REGISTRY=$work/registry.toml

cmake --install "$build" --prefix "$prefix" >/dev/null
"$plexion" db init --demo --force
"$plexion" register
