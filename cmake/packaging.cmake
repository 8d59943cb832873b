# What installing and packaging Orlinde share: the application's id and the licence file.

# The desktop entry, the AppStream data and the window's desktop file name all use this id. It
# sits in the reserved example domain until the project settles on a name of its own.
set(ORLINDE_APP_ID org.example.orlinde)

include(GNUInstallDirs)

# Folders made by an install are world-readable whatever the umask of the person building, so
# the package never ships a group-writable /usr/share.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian looks for the licence at /usr/share/doc/<package>/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orlinde RENAME copyright)
