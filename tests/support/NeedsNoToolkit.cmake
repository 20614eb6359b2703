# cmake -DBINARY=FILE -P NeedsNoToolkit.cmake
# Fails when the program needs a window-toolkit library at run time: a library below ui/ that
# pulls in the toolkit would make every program built on it need a desktop.
execute_process(COMMAND readelf -d ${BINARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "readelf cannot read ${BINARY}")
endif()
string(REGEX MATCHALL "\\[lib(gtk|gdk|X11|gio|gobject)[^]]*\\]" toolkit "${dynamic}")
if(toolkit)
    message(FATAL_ERROR "${BINARY} needs ${toolkit}")
endif()
