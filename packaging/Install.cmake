# What `cmake --install` puts in place: the shared library (with its soname
# links on Linux, its import library on Windows), the public headers, the
# command with its man page, a CMake package (find_package(quarnel CONFIG) ->
# quarnel::quarnel) and a pkg-config file. Test and internal static libraries
# are not installed.
include(CMakePackageConfigHelpers)

set(QUARNEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/quarnel)
# The document a host integrator reads, installed as a text file. One variable,
# so that it can name another document without touching the rules below.
set(QUARNEL_HOST_DOC ${PROJECT_SOURCE_DIR}/docs/host-integration.md)

install(TARGETS quarnel EXPORT quarnelTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT quarnelTargets NAMESPACE quarnel:: DESTINATION ${QUARNEL_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/quarnelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/quarnelConfig.cmake INSTALL_DESTINATION ${QUARNEL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/quarnelConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/quarnelConfig.cmake
  ${PROJECT_BINARY_DIR}/quarnelConfigVersion.cmake DESTINATION ${QUARNEL_CMAKE_DIR})

# The pkg-config file finds its prefix from where it lies, so that the same
# file serves /usr, a scratch prefix and an unpacked zip.
file(RELATIVE_PATH QUARNEL_PC_PREFIX_FROM_PCFILEDIR
  /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QUARNEL_PC_PREFIX_FROM_PCFILEDIR "${QUARNEL_PC_PREFIX_FROM_PCFILEDIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/quarnel.pc.in ${PROJECT_BINARY_DIR}/quarnel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quarnel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

if(WIN32)
  install(FILES ${QUARNEL_HOST_DOC} DESTINATION . RENAME host-integration.txt)
else()
  install(FILES ${QUARNEL_HOST_DOC} DESTINATION ${CMAKE_INSTALL_DOCDIR}
    RENAME host-integration.txt)
endif()

if(TARGET quarnel_cli)
  # The command finds the library it was installed with, wherever the prefix is.
  file(RELATIVE_PATH lib_from_bin
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(quarnel_cli PROPERTIES INSTALL_RPATH "$ORIGIN/${lib_from_bin}")
  install(TARGETS quarnel_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The man page is made from the command's own --help texts.
  find_program(QUARNEL_HELP2MAN help2man)
  if(QUARNEL_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
    set(manpage ${PROJECT_BINARY_DIR}/quarnel.1.gz)
    add_custom_command(OUTPUT ${manpage}
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-manpage.sh ${QUARNEL_HELP2MAN}
        $<TARGET_FILE:quarnel_cli> ${manpage}
      DEPENDS quarnel_cli ${CMAKE_CURRENT_LIST_DIR}/make-manpage.sh
      COMMENT "Making the man page of quarnel from its --help texts")
    add_custom_target(quarnel_manpage ALL DEPENDS ${manpage})
    install(FILES ${manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(STATUS "help2man not found: the quarnel command is installed without its man page")
  endif()
endif()
