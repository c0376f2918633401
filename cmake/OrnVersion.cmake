# The product's version (major.minor.patch.build) lives in the file VERSION alone: the
# version blocks of the Windows binaries and the installer (tools/installer) read it.
# Included before project(), which takes orn_version.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../VERSION orn_version LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../VERSION)
