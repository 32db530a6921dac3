# Windows build: quarnel.dll with its import library libquarnel.dll.a and a
# version resource, exporting only the functions marked QUARNEL_API.
enable_language(RC)

set_target_properties(quarnel PROPERTIES
  PREFIX ""                 # quarnel.dll, the name the host loads
  IMPORT_PREFIX "lib"
  IMPORT_SUFFIX ".dll.a")   # libquarnel.dll.a, for hosts that link at build time

# Without this, a DLL with no dllexport symbol yet would export every symbol.
target_link_options(quarnel PRIVATE -Wl,--exclude-all-symbols)

configure_file(${CMAKE_CURRENT_LIST_DIR}/quarnel.rc.in ${CMAKE_BINARY_DIR}/quarnel.rc @ONLY)
target_sources(quarnel PRIVATE ${CMAKE_BINARY_DIR}/quarnel.rc)

if(QUARNEL_BUILD_TESTS)
  add_subdirectory(tests/windows)
endif()
