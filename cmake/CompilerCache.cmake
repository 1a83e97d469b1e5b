# A compiler cache shared by every checkout on this machine. Paths under the source
# folder are made relative and the build folder's own path is not hashed, so a fresh
# clone in another folder hits what an earlier build left. Precompiled headers and
# __DATE__-free sources make the two sloppiness settings safe; clang's precompiled headers
# are hashed by the checksum beside each (see Precompiled.cmake).
find_program(TASKMETER_CCACHE ccache)
if(TASKMETER_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER AND NOT DEFINED ENV{TASKMETER_NO_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=true
      CCACHE_PCH_EXTSUM=true      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${TASKMETER_CCACHE})
endif()
