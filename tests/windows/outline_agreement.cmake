# The cross-build agreement program (outline_agreement.cpp), in the Linux build
# and in the Windows build, next to the library it loads.
add_executable(quarnel_outline_agreement ${CMAKE_CURRENT_LIST_DIR}/outline_agreement.cpp)
target_include_directories(quarnel_outline_agreement PRIVATE
  ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
if(NOT WIN32)
  # Linux writes the special-tool files with the test-side writer.
  target_link_libraries(quarnel_outline_agreement PRIVATE quarnel_test_support ${CMAKE_DL_LIBS})
endif()
quarnel_warnings(quarnel_outline_agreement)
set_target_properties(quarnel_outline_agreement PROPERTIES RUNTIME_OUTPUT_DIRECTORY
  ${CMAKE_BINARY_DIR})
add_dependencies(quarnel_outline_agreement quarnel)
