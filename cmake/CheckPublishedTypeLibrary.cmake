# Fails when the type library published in docs/type-library.md differs from what `plexion typelib` prints.
# The published copy is the published surface (class ids, interface ids, member order, dispatch
# ids, event ids, parameter kinds) that hosts bind to by number: the suite's one record of it.
# Usage: cmake -DPLEXION=<plexion command> -DPUBLISHED=<docs/type-library.md> -P CheckPublishedTypeLibrary.cmake
execute_process(COMMAND ${PLEXION} typelib OUTPUT_VARIABLE printed RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "plexion typelib failed")
endif()
file(READ ${PUBLISHED} published)
string(FIND "${published}" "<!-- type library -->\n```\n${printed}```" found)
if(found EQUAL -1)
  message(FATAL_ERROR "`plexion typelib` no longer prints the type library published in ${PUBLISHED}. "
    "Hosts bind to those ids by number: fix the type-library table, unless the published surface "
    "itself was meant to change (then, and only then, paste `plexion typelib` into docs/type-library.md)")
endif()
