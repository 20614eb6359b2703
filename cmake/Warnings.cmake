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
if(KAVRIN_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# A target that belongs to the project: our include root and our warning set.
function(kavrin_target name)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Programs the build runs on its own files (key embedding, artwork, packing) are not what the
# sanitizer build is testing; the libraries they draw with keep caches until exit.
set(KAVRIN_BUILD_TOOL_ENV ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0)
