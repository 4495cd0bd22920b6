# Our own code builds with every warning as an error; third-party code
# (GoogleTest) keeps its own flags.
function(tolvane_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Werror -Werror=return-type)
endfunction()
