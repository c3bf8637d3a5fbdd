# Windows: the window icon built in as on Linux, and in each program's file
# the icon and version information that Explorer, the Start menu and the
# installer's shortcuts show.

# The icon is rendered with rsvg-convert and ImageMagick, which a build on
# Debian (scripts/build-windows.sh) has; a build on Windows itself goes
# without it (Qt's default icon, no icon in the file).
if(CMAKE_HOST_UNIX)
  include(${CMAKE_CURRENT_SOURCE_DIR}/icon.cmake)
endif()

set(rc_version "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")

# Gives `target` (when it is built) its resource file; `description` is what
# Explorer shows as the file's description, `ico` its icon (when rendered).
function(quenhar_windows_resource target description ico)
  if(NOT TARGET ${target})
    return()
  endif()
  if(ico)
    set(RC_ICON_LINE "1 ICON \"${ico}\"")
  endif()
  set(RC_VERSION ${rc_version})
  set(RC_NAME ${target})
  set(RC_DESCRIPTION ${description})
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  if(ico)
    # windres reads the icon, which is rendered at build time.
    add_dependencies(${target} quenhar_icons)
  endif()
endfunction()

quenhar_windows_resource(quenhar "交规训练" "${icon_ico}")
quenhar_windows_resource(quenhar-bank "题库工具" "${icon_ico}")
quenhar_windows_resource(quenhar-editor "题库编辑" "${editor_icon_ico}")
