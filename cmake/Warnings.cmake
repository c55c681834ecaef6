# Warnings are set per target, never globally, so third-party code keeps its own.
function(mirelant_set_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                             -Wnon-virtual-dtor -Wold-style-cast
                                             -Wcast-align -Woverloaded-virtual)
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  endif()
endfunction()
