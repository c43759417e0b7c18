# How Tallymar's libraries are made.
#
# tallymar_standard_library(NAME SOURCES ... [PUBLIC libs ...] [PRIVATE libs ...])
#   A static library of standard C++ only: the system's rules live in these, and no
#   Qt header may reach them. Two guards keep it so:
#   - at build time, cmake/no_qt comes first on the library's include path; its
#     QtCore/qglobal.h, which every Qt header includes, is an #error;
#   - at configure time, tallymar_check_standard_libraries() (called once every
#     library is defined) stops with an error naming the library when a Qt target
#     is anywhere in its link closure.
#   Every library includes its headers as "folder/file.h" from src/.

set(TALLYMAR_NO_QT_DIR ${CMAKE_CURRENT_LIST_DIR}/no_qt)

function(tallymar_standard_library name)
  cmake_parse_arguments(LIB "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${LIB_SOURCES})
  target_include_directories(${name} BEFORE PRIVATE ${TALLYMAR_NO_QT_DIR})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${LIB_PUBLIC} PRIVATE ${LIB_PRIVATE})
  set_property(GLOBAL APPEND PROPERTY TALLYMAR_STANDARD_LIBRARIES ${name})
endfunction()

# The targets `target` links, directly or through others (generator expressions
# such as $<LINK_ONLY:...> unwrapped), in *out.
function(_tallymar_link_closure target out)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      list(APPEND queue ${link})
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(tallymar_check_standard_libraries)
  get_property(libraries GLOBAL PROPERTY TALLYMAR_STANDARD_LIBRARIES)
  foreach(library IN LISTS libraries)
    _tallymar_link_closure(${library} closure)
    foreach(linked IN LISTS closure)
      if(linked MATCHES "^Qt[0-9]*::")
        message(FATAL_ERROR "${library} is a standard C++ library, but it links ${linked}: "
                            "no Qt here")
      endif()
    endforeach()
  endforeach()
endfunction()
