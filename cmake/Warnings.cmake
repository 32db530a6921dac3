# Warnings on every target of the project (not on third-party code). They are
# errors only where QUARNEL_WERROR is ON: the project's presets and CI turn it
# on; a packager's plain build with another compiler or build type does not
# fail on a new compiler's new (or false) warning.
option(QUARNEL_WERROR "Treat compiler warnings as errors" OFF)

function(quarnel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(QUARNEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
