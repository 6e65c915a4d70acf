# Fails when the type library printed in the README differs from what `plexion typelib` prints.
# Usage: cmake -DPLEXION=<plexion command> -DREADME=<README.md> -P CheckReadmeTypeLibrary.cmake
execute_process(COMMAND ${PLEXION} typelib OUTPUT_VARIABLE printed RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "plexion typelib failed")
endif()
file(READ ${README} readme)
string(FIND "${readme}" "<!-- type library -->\n```\n${printed}```" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the type library in ${README} is out of date: paste `plexion typelib` there")
endif()
