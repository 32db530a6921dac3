# Warnings are errors on every target of the project (not on third-party code).
function(quarnel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
