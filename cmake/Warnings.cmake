# Warnings are on and kept clean; an INTERFACE target passes them on.
function(vp_warnings target)
  target_compile_options(${target} INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion
      -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual>)
endfunction()
