# Warnings are errors everywhere; the sanitizer build adds ASan and UBSan to every target, the
# thread sanitizer build adds TSan. Nothing recovers: a finding ends the test that made it.
add_compile_options(-Wall -Wextra -Werror)
if(KAVRIN_SANITIZE AND KAVRIN_TSAN)
    message(FATAL_ERROR "KAVRIN_SANITIZE and KAVRIN_TSAN need builds of their own")
endif()
if(KAVRIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()
# The fuzz build instruments every library for coverage as well; only the fuzz targets link the
# fuzzer's driver (fuzz/CMakeLists.txt).
if(KAVRIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "KAVRIN_FUZZ needs clang: configure with CC=clang CXX=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=all)
    # jsoncpp's find(begin, end) is called as find("key", "key" + 3), which clang takes for a
    # mistaken append.
    add_compile_options(-Wno-string-plus-int)
    add_link_options(-fsanitize=address,undefined)
endif()
if(KAVRIN_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# A target that belongs to the project: our include root and our warning set.
function(kavrin_target name)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Programs the build runs on its own files (key embedding, artwork, packing) are not what the
# sanitizer builds are testing: the libraries they draw with keep caches until exit, and the
# thread sanitizer sees the worker threads of the vector renderer and the font stack, which are
# not instrumented, race on every block they allocate.
set(KAVRIN_BUILD_TOOL_ENV ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
    TSAN_OPTIONS=report_bugs=0)
