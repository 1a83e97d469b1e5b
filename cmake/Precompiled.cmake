# Precompiled headers for every target that includes Qt or GoogleTest: parsing those
# headers is most of the time each such file takes to compile. Applied once all folders
# are read, so a new target gets them without an edit here.
option(TASKMETER_PCH "Precompile the Qt and GoogleTest headers" ON)

set(_taskmeter_pch_std <string> <vector> <memory> <functional> <filesystem> <map> <algorithm>
    <optional>)
set(_taskmeter_pch_qt <QApplication> <QWidget> <QPainter> <QImage> <QMenu> <QComboBox>
    <QAbstractItemView> <QPushButton>)
set(_taskmeter_pch_gtest <gtest/gtest.h>)

# Whether `target` links `wanted`, directly or through the libraries it links.
function(_taskmeter_links target wanted out)
  set(_seen "")
  set(_queue ${target})
  set(_found FALSE)
  while(_queue AND NOT _found)
    list(POP_FRONT _queue _item)
    # Imported targets found in a sub-folder are not visible here: match the name first.
    if(_item STREQUAL wanted)
      set(_found TRUE)
      break()
    endif()
    if(_item IN_LIST _seen OR NOT TARGET ${_item})
      continue()
    endif()
    list(APPEND _seen ${_item})
    get_target_property(_type ${_item} TYPE)
    set(_links "")
    if(NOT _type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(_links ${_item} LINK_LIBRARIES)
    endif()
    get_target_property(_interface ${_item} INTERFACE_LINK_LIBRARIES)
    foreach(_link IN LISTS _links _interface)
      if(_link AND NOT _link MATCHES "NOTFOUND$")
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" _link "${_link}")
        list(APPEND _queue ${_link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${_found} PARENT_SCOPE)
endfunction()

# clang's precompiled header records the absolute paths of its build folder, so its bytes
# differ between checkouts. The compiler cache hashes this checksum instead: the header
# list, which is all that differs between two headers of one configuration (the flags and
# the compiler are hashed with each compile that uses it). The header itself is still built
# in each checkout: one taken from the cache would name another checkout's files, and clang
# refuses it once they are gone.
function(_taskmeter_pch_checksum dir target headers)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    get_property(_bin DIRECTORY ${dir} PROPERTY BINARY_DIR)
    string(SHA256 _sum "${CMAKE_CXX_COMPILER_VERSION};${headers}")
    file(GENERATE OUTPUT ${_bin}/CMakeFiles/${target}.dir/cmake_pch.hxx.pch.sum CONTENT "${_sum}\n")
  endif()
endfunction()

function(_taskmeter_precompile_folder dir)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(_target IN LISTS _targets)
    get_target_property(_type ${_target} TYPE)
    get_target_property(_sources ${_target} SOURCES)
    list(FILTER _sources INCLUDE REGEX "\\.cpp$")
    list(LENGTH _sources _count)
    # One file gains nothing from a header compiled for it alone.
    if(NOT _type MATCHES "EXECUTABLE|LIBRARY" OR _type STREQUAL "INTERFACE_LIBRARY"
       OR _count LESS 2)
      continue()
    endif()
    _taskmeter_links(${_target} Qt6::Widgets _qt)
    _taskmeter_links(${_target} GTest::gtest _gtest)
    set(_headers "")
    if(_qt)
      list(APPEND _headers ${_taskmeter_pch_qt})
    endif()
    if(_gtest)
      list(APPEND _headers ${_taskmeter_pch_gtest})
    endif()
    if(_headers)
      target_precompile_headers(${_target} PRIVATE ${_taskmeter_pch_std} ${_headers})
      _taskmeter_pch_checksum(${dir} ${_target} "${_taskmeter_pch_std};${_headers}")
    endif()
  endforeach()
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_sub IN LISTS _subdirs)
    _taskmeter_precompile_folder(${_sub})
  endforeach()
endfunction()

function(taskmeter_precompile_all)
  if(TASKMETER_PCH)
    _taskmeter_precompile_folder(${PROJECT_SOURCE_DIR})
  endif()
endfunction()

if(TASKMETER_PCH)
  # gcc 12 loses the system-header mark of what comes from a precompiled header, and then
  # warns about std::string's own copies inlined into concatenations (-Warray-bounds,
  # -Wstringop-overflow, -Wstringop-overread, -Wrestrict: known false positives; without
  # the precompiled header the same code is clean). AddressSanitizer's runs check real
  # bounds.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread
                        -Wno-restrict)
  endif()
  # clang stamps the build time into a precompiled header; without the stamp the
  # compiler cache can hit it.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options("SHELL:-Xclang -fno-pch-timestamp")
    # The cache makes the paths of options it knows relative to the checkout, but not
    # those passed through -Xclang as CMake passes them; the driver's own option is known.
    # The header itself needs no -include: the precompiled one stands for it.
    set(CMAKE_CXX_COMPILE_OPTIONS_USE_PCH -include-pch <PCH_FILE>)
  endif()
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL taskmeter_precompile_all)
endif()
