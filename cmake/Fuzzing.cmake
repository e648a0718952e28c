# Every library is built for libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer; only the targets under tests/fuzz/ link the
# fuzzer's own main.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "NAV_FUZZ needs clang (CXX=clang++): libFuzzer is part of it")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
