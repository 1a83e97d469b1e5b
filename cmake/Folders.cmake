# Every source folder builds the .cpp files it holds, so that adding a file needs no
# edit of a shared list. CONFIGURE_DEPENDS makes a new file reach the next build.
function(taskmeter_sources out_var)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(${out_var} ${_sources} PARENT_SCOPE)
endfunction()
