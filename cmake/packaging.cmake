# What installing and packaging Orlinde share: the application's id, the licence file, and the
# Debian package that CPack builds from the install rules (`cpack -G DEB` in the build folder).

# The desktop entry and the AppStream data are named by this id, which is how software centres
# pair them. It sits in the reserved example domain until the project settles on a name of its
# own.
set(ORLINDE_APP_ID org.example.orlinde)

include(GNUInstallDirs)

# Folders made by an install are world-readable whatever the umask of the person building, so
# the package never ships a group-writable /usr/share.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian looks for the licence at /usr/share/doc/<package>/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orlinde RENAME copyright)

set(ORLINDE_MAINTAINER "Orlinde developers <maintainers@users.noreply.c-seed-8180c88f.example>"
  CACHE STRING "The maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orlinde)
set(CPACK_PACKAGE_VENDOR "Orlinde developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ORLINDE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for arithmetic written as free text")
# Wrapped by hand: the package's long description keeps its line breaks.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Orlinde calculates every line of a text as you type: each line is repaired"
  "into an expression, evaluated, and shown with its value. A scientific mode"
  "understands square roots, powers, logarithms, the trigonometric functions"
  "and percentages, and the results can be rounded to a number of decimal"
  "places."
  "."
  "The package holds the Qt window, orlinde, and the command-line tool"
  "orlinde-cli.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debugging information; the package does not need it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORLINDE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies come from the libraries the binaries link (Qt, Duktape, the C++ runtime),
# so they follow the build instead of a list kept by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
