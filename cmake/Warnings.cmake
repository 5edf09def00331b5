# Every target of ours compiles with warnings as errors; the sanitizer
# configuration adds address and undefined-behaviour checks everywhere.
add_library(corvela_warnings INTERFACE)
target_compile_options(corvela_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)

if(CORVELA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
