# Packages of what the install rules put in place, made with cpack from a
# build folder: on Linux a Debian package of the library and the command
# (quarnel_<version>_<arch>.deb), for Windows one zip of the DLL, its import
# library, the headers and the host integration text
# (quarnel-<version>-win32.zip for the 32-bit DLL).
set(CPACK_PACKAGE_NAME quarnel)
set(CPACK_PACKAGE_VENDOR quarnel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "quarnel developers" CACHE STRING "Maintainer named in the packages")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(windows_kind win32)
  else()
    set(windows_kind win64)
  endif()
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${windows_kind})
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libs)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The shared library libquarnel with its headers, CMake package and\npkg-config file, and the quarnel command that reads, converts, checks\nand draws tool libraries, station files and special-tool files.")
  # Run-time dependencies from the ELF files (dpkg-shlibdeps), and a shlibs
  # file for packages that link the library.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
endif()

include(CPack)
