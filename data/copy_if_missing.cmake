# cmake -DSOURCE=file -DTARGET=path -P copy_if_missing.cmake
# Copies SOURCE to TARGET unless a file of TARGET's name is there already, in any
# letter case (the settings file is found whatever the case of its name).
get_filename_component(folder "${TARGET}" DIRECTORY)
get_filename_component(name "${TARGET}" NAME)
string(TOLOWER "${name}" wanted)
file(GLOB present RELATIVE "${folder}" "${folder}/*")
foreach(entry IN LISTS present)
  string(TOLOWER "${entry}" entry)
  if(entry STREQUAL wanted)
    return()
  endif()
endforeach()
file(COPY_FILE "${SOURCE}" "${TARGET}")
