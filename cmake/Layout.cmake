# Where an installed TaskMeter keeps its parts, relative to the prefix. The libraries are
# private (no other program links them), so they live in a folder of their own; the host
# finds them, the module and its shipped data relative to its own folder, so that an
# installed tree works wherever it was unpacked.
include(GNUInstallDirs)
set(TASKMETER_PRIVATE_LIBDIR lib/taskmeter)
set(TASKMETER_DATADIR ${CMAKE_INSTALL_DATADIR}/taskmeter)
file(RELATIVE_PATH TASKMETER_PRIVATE_LIBDIR_FROM_BIN /${CMAKE_INSTALL_BINDIR}
     /${TASKMETER_PRIVATE_LIBDIR})
file(RELATIVE_PATH TASKMETER_DATADIR_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${TASKMETER_DATADIR})
# The desktop's name for the program: its desktop entry, icon and metainfo are named so.
set(TASKMETER_APP_ID example.kestrelworks.TaskMeter)
