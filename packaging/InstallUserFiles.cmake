# Install step for the files that depend on the user's folder: the default store, copied only
# where none exists (an existing one holds the user's game), and the launcher, whose command and
# icon name the installed paths.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
if(prefix MATCHES "[\n\r\t]")
    message(FATAL_ERROR "The install folder's name holds a line break or a tab: ${prefix}")
endif()

if(EXISTS "$ENV{DESTDIR}${prefix}/plimo.mdb")
    message(STATUS "Kept (the game in progress): $ENV{DESTDIR}${prefix}/plimo.mdb")
else()
    file(INSTALL DESTINATION "${prefix}" TYPE FILE FILES "${PLIMO_INSTALL_STORE}"
         PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()

# Exec takes a quoted argument: ", `, $ and \ are escaped by a backslash, % is doubled, and the
# desktop file's own string escaping doubles every backslash once more.
set(exec_path "${prefix}/plimo")
string(REPLACE "\\" "\\\\" exec_path "${exec_path}")
string(REPLACE "\"" "\\\"" exec_path "${exec_path}")
string(REPLACE "`" "\\`" exec_path "${exec_path}")
string(REPLACE "$" "\\$" exec_path "${exec_path}")
string(REPLACE "%" "%%" exec_path "${exec_path}")
string(REPLACE "\\" "\\\\" exec_path "${exec_path}")
set(PLIMO_EXEC "\"${exec_path}\"")
# The launcher may be linked into ~/.local/share/applications, outside the icon theme search
# path of the folder, so it names the icon by its file.
set(PLIMO_ICON "${prefix}/share/icons/hicolor/128x128/apps/${PLIMO_APP_ID}.png")
string(REPLACE "\\" "\\\\" PLIMO_ICON "${PLIMO_ICON}")

configure_file("${PLIMO_DESKTOP_TEMPLATE}" "${PLIMO_STAGING_DIR}/${PLIMO_APP_ID}.desktop" @ONLY)
file(INSTALL DESTINATION "${prefix}/share/applications" TYPE FILE
     FILES "${PLIMO_STAGING_DIR}/${PLIMO_APP_ID}.desktop")
