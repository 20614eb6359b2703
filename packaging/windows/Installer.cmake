# The Windows installer, Kavrin-Setup-VERSION.exe in the build folder, made with makensis from
# kavrin.nsi. The programs go into it without their debug information: the crash reporter sends
# minidumps, which name modules and addresses, and the build keeps the unstripped programs.
find_program(KAVRIN_MAKENSIS makensis REQUIRED)
set(KAVRIN_INSTALLER ${CMAKE_BINARY_DIR}/Kavrin-Setup-${PROJECT_VERSION}.exe PARENT_SCOPE)
set(_installer ${CMAKE_BINARY_DIR}/Kavrin-Setup-${PROJECT_VERSION}.exe)
set(_stage ${CMAKE_BINARY_DIR}/installer-stage)
set(_script ${CMAKE_CURRENT_SOURCE_DIR}/windows/kavrin.nsi)
set(_stripped)
foreach(program kavrin dlengine AutoUpdater ErrorReporter)
    set(_file ${_stage}/$<TARGET_FILE_NAME:${program}>)
    add_custom_command(OUTPUT ${_stage}/${program}.stamp
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_stage}
        COMMAND ${CMAKE_STRIP} --strip-debug -o ${_file} $<TARGET_FILE:${program}>
        COMMAND ${CMAKE_COMMAND} -E touch ${_stage}/${program}.stamp
        DEPENDS ${program}
        COMMENT "Stripping ${program} for the installer")
    list(APPEND _stripped ${_stage}/${program}.stamp)
endforeach()
add_custom_command(OUTPUT ${_installer}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/client/kavrin.ini ${_stage}
    COMMAND ${KAVRIN_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${_stage}
        -DOUTFILE=${_installer} ${_script}
    DEPENDS ${_stripped} ${_script} ${CMAKE_CURRENT_SOURCE_DIR}/client/kavrin.ini
    COMMENT "Making the installer ${_installer}")
add_custom_target(kavrin_installer ALL DEPENDS ${_installer})
