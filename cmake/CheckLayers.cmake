# Checks that every include between the folders of src/ runs downward.
#   cmake -DSOURCE_DIR=<repo>/src -P cmake/CheckLayers.cmake
# A folder (a subfolder for platform/qt and platform/sdl) may include its own
# headers and those of the folders listed for it below; the list itself must only
# point to folders further down `layers`, so that no include can run back up and
# no two folders can lean on each other. The standard C++ folders include no Qt
# header at all.

cmake_minimum_required(VERSION 3.22)

# From the top down.
set(layers
  shell dialogs window cli platform/qt platform/sdl platform
  commands files settings converter help engine voice)
set(standard_cpp commands files settings converter help engine voice platform/sdl platform)

set(std_libraries files settings converter help engine voice)
set(allowed_shell dialogs window cli platform/qt platform/sdl platform commands ${std_libraries})
set(allowed_dialogs window platform/qt commands ${std_libraries})
set(allowed_window platform/qt commands ${std_libraries})
# The tallymar-cli program (not its library) prints PDF files through platform/qt.
set(allowed_cli platform/qt commands ${std_libraries})
set(allowed_platform/qt platform/sdl ${std_libraries})
set(allowed_platform/sdl engine)
set(allowed_platform files settings engine)
set(allowed_commands files settings converter engine)
set(allowed_files engine)
set(allowed_settings engine)
set(allowed_converter engine)
set(allowed_help)
set(allowed_engine voice)
set(allowed_voice)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<repo>/src -P CheckLayers.cmake")
endif()

function(folder_of path out)
  if(path MATCHES "^(platform/(qt|sdl))/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

set(problems)

# The table runs downward only.
foreach(folder IN LISTS layers)
  list(FIND layers ${folder} rank)
  foreach(lower IN LISTS allowed_${folder})
    list(FIND layers ${lower} lower_rank)
    if(lower_rank LESS_EQUAL rank)
      list(APPEND problems "the table lets ${folder} include ${lower}, which is not below it")
    endif()
  endforeach()
endforeach()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(source IN LISTS sources)
  folder_of(${source} folder)
  if(NOT folder IN_LIST layers)
    list(APPEND problems "${source}: the folder ${folder} is not in the table")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(included ${CMAKE_MATCH_1})
      folder_of(${included} target)
      if(target STREQUAL "" OR target STREQUAL folder)
        continue()
      endif()
      if(NOT target IN_LIST allowed_${folder})
        list(APPEND problems "${source} includes ${included}: ${folder} may not include ${target}")
      endif()
    elseif(folder IN_LIST standard_cpp AND line MATCHES "#[ \t]*include[ \t]*<(Q[^>]*)>")
      list(APPEND problems "${source} includes the Qt header ${CMAKE_MATCH_1}")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Includes that run against the layers:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every include runs downward")
