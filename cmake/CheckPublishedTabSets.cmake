# Fails when the tab sets published in docs/tab-sets.md differ from what `plexion tabs` prints for
# every application of `plexion apps` in every mode; the failure names the application and the
# mode. Editors create the controls by these ProgIDs, show these captions and keep this order:
# the page is the suite's record of the application tab table.
# Usage: cmake -DPLEXION=<plexion command> -DPUBLISHED=<docs/tab-sets.md> [-DWORK=<folder>]
#              [-DWRITE=ON] -P CheckPublishedTabSets.cmake
# WRITE=ON rewrites the page's listing instead (only when the table itself was meant to change).

# The modes: the system configuration's enterprise mode and the feature switches are all a tab
# set depends on. Each feature changes its own applications only, so all off and all on cover
# every set the table can build.
set(features --feature Express_Reports --feature Channel_Set_Plans_Category
  --feature EN_SNMP_Support)
set(mode_names "standard" "features" "enterprise" "enterprise with features")
set(mode_0_flags "")
set(mode_1_flags ${features})
set(mode_2_flags --enterprise)
set(mode_3_flags --enterprise ${features})
set(begin_marker "<!-- tab sets -->\n")
set(end_marker "<!-- end of tab sets -->\n")

if(NOT WORK)
  set(WORK ${CMAKE_CURRENT_BINARY_DIR})
endif()
# A configuration of built-in defaults, whatever PLEXION_CONFIG names.
set(defaults ${WORK}/tab-sets-defaults.toml)
file(WRITE ${defaults} "")

execute_process(COMMAND ${PLEXION} apps --config ${defaults}
  OUTPUT_VARIABLE printed RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "plexion apps failed")
endif()
string(REGEX REPLACE "\n$" "" printed "${printed}")
string(REPLACE "\n" ";" apps "${printed}")

# The section of one application: one block per distinct set, headed by the modes that build it.
function(tab_set_section app out_section)
  set(blocks "")
  foreach(mode RANGE 3)
    execute_process(COMMAND ${PLEXION} tabs "${app}" ${mode_${mode}_flags} --config ${defaults}
      OUTPUT_VARIABLE set RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "plexion tabs \"${app}\" ${mode_${mode}_flags} failed")
    endif()
    set(block "```\n${set}```\n")
    set(block_${mode} "${block}" PARENT_SCOPE)
    set(block_${mode} "${block}")
    list(FIND blocks "${block}" index)
    if(index EQUAL -1)
      list(APPEND blocks "${block}")
      list(LENGTH blocks index)
      math(EXPR index "${index} - 1")
    endif()
    list(GET mode_names ${mode} name)
    list(APPEND modes_of_${index} "${name}")
  endforeach()
  set(section "## ${app}\n")
  list(LENGTH blocks count)
  math(EXPR last "${count} - 1")
  foreach(index RANGE ${last})
    list(GET blocks ${index} block)
    if(count EQUAL 1)
      set(heading "Every mode")
    else()
      list(LENGTH modes_of_${index} named)
      list(JOIN modes_of_${index} ", " heading)
      if(named EQUAL 1)
        set(heading "Mode ${heading}")
      else()
        set(heading "Modes ${heading}")
      endif()
    endif()
    string(APPEND section "\n${heading}:\n\n${block}")
  endforeach()
  set(${out_section} "${section}\n" PARENT_SCOPE)
endfunction()

file(READ ${PUBLISHED} published)
string(FIND "${published}" "${begin_marker}" begin)
string(FIND "${published}" "${end_marker}" end)
if(begin EQUAL -1 OR end EQUAL -1 OR end LESS begin)
  message(FATAL_ERROR "${PUBLISHED} has no listing between \"<!-- tab sets -->\" and "
    "\"<!-- end of tab sets -->\"")
endif()
string(LENGTH "${begin_marker}" begin_length)
math(EXPR listing_start "${begin} + ${begin_length}")
math(EXPR listing_length "${end} - ${listing_start}")
string(SUBSTRING "${published}" ${listing_start} ${listing_length} listing)

set(expected "\n")
foreach(app IN LISTS apps)
  tab_set_section("${app}" section)
  string(APPEND expected "${section}")
  if(WRITE)
    continue()
  endif()
  string(FIND "${listing}" "${section}" found)
  if(NOT found EQUAL -1)
    continue()
  endif()
  # Name the mode whose set the page no longer shows under this application.
  string(FIND "${listing}" "## ${app}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PUBLISHED} lists no tab set of \"${app}\"")
  endif()
  string(SUBSTRING "${listing}" ${at} -1 rest)
  string(LENGTH "## ${app}\n" heading_length)
  string(SUBSTRING "${rest}" ${heading_length} -1 after)
  string(FIND "${after}" "\n## " next)
  if(NOT next EQUAL -1)
    math(EXPR next "${next} + ${heading_length} + 1")
  endif()
  string(SUBSTRING "${rest}" 0 ${next} published_section)
  foreach(mode RANGE 3)
    string(FIND "${published_section}" "${block_${mode}}" shown)
    if(shown EQUAL -1)
      list(GET mode_names ${mode} name)
      string(REPLACE ";" " " flags " ${mode_${mode}_flags}")
      string(STRIP "plexion tabs \"${app}\"${flags}" command)
      message(FATAL_ERROR "The tab set of \"${app}\" in mode ${name} "
        "(${command}) is not the one ${PUBLISHED} lists. Editors create "
        "tabs by these ProgIDs, captions and order: fix the application tab table, unless the "
        "set itself was meant to change (then rewrite the page with -DWRITE=ON). It prints:\n"
        "${block_${mode}}")
    endif()
  endforeach()
  message(FATAL_ERROR "${PUBLISHED} lists the tab sets of \"${app}\" under other modes than "
    "`plexion tabs` builds them in; expected:\n${section}")
endforeach()

if(WRITE)
  string(SUBSTRING "${published}" 0 ${listing_start} head)
  string(SUBSTRING "${published}" ${end} -1 tail)
  file(WRITE ${PUBLISHED} "${head}${expected}${tail}")
  message(STATUS "rewrote the tab sets of ${PUBLISHED}")
elseif(NOT listing STREQUAL expected)
  message(FATAL_ERROR "${PUBLISHED} lists the applications in another order, or one that "
    "`plexion apps` does not know")
endif()
