# The icon is drawn once as SVG; the fixed sizes are rendered from it at
# build time so that they never drift from the drawing. The same sizes,
# gathered in one .ico file, are built into the program for its windows, so
# that it shows the installed icon also when it is run from the build tree.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)

# Renders the icon ID.svg in every size into icons/, installs them and the
# SVG, and gives the list of PNG files in the variable OUT.
function(render_icon id out)
  set(svg ${CMAKE_CURRENT_SOURCE_DIR}/${id}.svg)
  install(FILES ${svg} DESTINATION ${icon_dir}/scalable/apps)
  set(pngs)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${id}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${svg}
      DEPENDS ${svg}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      COMMENT "Rendering the ${size}x${size} icon ${id}"
      VERBATIM)
    install(FILES ${png} DESTINATION ${icon_dir}/${size}x${size}/apps)
    list(APPEND pngs ${png})
  endforeach()
  set(${out} ${pngs} PARENT_SCOPE)
endfunction()

render_icon(${app_id} icon_pngs)
render_icon(${editor_id} editor_icon_pngs)

# Gathers the sizes of icon ID in icons/ID.ico, named in the variable OUT.
function(gather_icon id pngs out)
  set(ico ${CMAKE_CURRENT_BINARY_DIR}/icons/${id}.ico)
  add_custom_command(
    OUTPUT ${ico}
    COMMAND ${IMAGEMAGICK_CONVERT} ${pngs} ${ico}
    DEPENDS ${pngs}
    COMMENT "Gathering the icon's sizes in ${id}.ico"
    VERBATIM)
  set(${out} ${ico} PARENT_SCOPE)
endfunction()

gather_icon(${app_id} "${icon_pngs}" icon_ico)
# The editor's, for its program file on Windows.
gather_icon(${editor_id} "${editor_icon_pngs}" editor_icon_ico)
add_custom_target(quenhar_icons ALL DEPENDS ${icon_pngs} ${icon_ico} ${editor_icon_pngs} ${editor_icon_ico})

# Application.cpp sets the icon from :/org.quenhar.quenhar.ico.
add_library(quenhar_icon_resource OBJECT)
target_link_libraries(quenhar_icon_resource PRIVATE Qt6::Core)
qt_add_resources(quenhar_icon_resource quenhar_icon PREFIX / BASE ${CMAKE_CURRENT_BINARY_DIR}/icons FILES ${icon_ico})
target_link_libraries(quenhar PRIVATE quenhar_icon_resource)
