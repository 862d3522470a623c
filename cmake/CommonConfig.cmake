# Compile settings shared by every target of the project. Targets link
# tavrel_common instead of setting flags one by one.
add_library(tavrel_common INTERFACE)
target_compile_features(tavrel_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(tavrel_common INTERFACE -Wall -Wextra -Wpedantic)
if(TAVREL_WERROR)
  target_compile_options(tavrel_common INTERFACE -Werror)
endif()

# Bounds-checked standard containers wherever the build is not a release.
target_compile_definitions(tavrel_common INTERFACE
  $<$<NOT:$<CONFIG:Release>>:_GLIBCXX_ASSERTIONS>
  QT_NO_CAST_FROM_ASCII
  QT_NO_CONTEXTLESS_CONNECT)

if(TAVREL_SANITIZE)
  target_compile_options(tavrel_common INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tavrel_common INTERFACE -fsanitize=address,undefined)
endif()

# Coverage instrumentation for libFuzzer in every library the fuzzers link;
# the fuzz targets themselves add -fsanitize=fuzzer.
if(TAVREL_FUZZ)
  target_compile_options(tavrel_common INTERFACE -fsanitize=fuzzer-no-link)
endif()
