# Definitions that hold absolute paths (programs and libraries of the build, files of the
# checkout) differ from one checkout to the next. Given to the one source that uses them
# instead of to the whole target, they leave every other file of the target, and its
# precompiled header, a compiler-cache hit from a build in another folder.
#   taskmeter_path_definitions(TARGET SOURCE NAME="value" ...)
# SOURCE is absolute or relative to the calling folder; values may hold generator
# expressions.
function(taskmeter_path_definitions target source)
  get_filename_component(_source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(SOURCE ${_source} TARGET_DIRECTORY ${target} APPEND PROPERTY
               COMPILE_DEFINITIONS ${ARGN})
endfunction()
