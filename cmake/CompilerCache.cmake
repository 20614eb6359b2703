# Compiles through ccache when it is installed and no launcher was chosen. Paths are hashed
# relative to the build folder's parent so that several checkouts share one cache.
find_program(KAVRIN_CCACHE ccache)
if(KAVRIN_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}
        CCACHE_NOHASHDIR=1 ${KAVRIN_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_C_COMPILER_LAUNCHER})
endif()
