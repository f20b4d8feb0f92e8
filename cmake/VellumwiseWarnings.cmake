# Strict warnings for our own targets only; third-party headers come in as system includes.
function(vellumwise_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
