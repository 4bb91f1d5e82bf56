# Our own code builds with warnings as errors; Qt's and the system's headers are not ours.
function(tintaro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# A library or program of ours: warnings as errors, sources from the folder.
function(tintaro_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINK})
  tintaro_warnings(${name})
endfunction()
