# The icon is drawn once as SVG; the fixed sizes are rendered from it at
# build time so that they never drift from the drawing. The same sizes,
# gathered in one .ico file, are built into the program for its windows, so
# that it shows the installed icon also when it is run from the build tree.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)

set(icon_svg ${CMAKE_CURRENT_SOURCE_DIR}/${app_id}.svg)
install(FILES ${icon_svg} DESTINATION ${icon_dir}/scalable/apps)
set(icon_pngs)
foreach(size 16 24 32 48 64 128 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${app_id}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
  install(FILES ${png} DESTINATION ${icon_dir}/${size}x${size}/apps)
  list(APPEND icon_pngs ${png})
endforeach()

set(icon_ico ${CMAKE_CURRENT_BINARY_DIR}/icons/${app_id}.ico)
add_custom_command(
  OUTPUT ${icon_ico}
  COMMAND ${IMAGEMAGICK_CONVERT} ${icon_pngs} ${icon_ico}
  DEPENDS ${icon_pngs}
  COMMENT "Gathering the icon's sizes in ${app_id}.ico"
  VERBATIM)
add_custom_target(quenhar_icons ALL DEPENDS ${icon_pngs} ${icon_ico})

# Application.cpp sets the icon from :/org.quenhar.quenhar.ico.
add_library(quenhar_icon_resource OBJECT)
target_link_libraries(quenhar_icon_resource PRIVATE Qt6::Core)
qt_add_resources(quenhar_icon_resource quenhar_icon PREFIX / BASE ${CMAKE_CURRENT_BINARY_DIR}/icons FILES ${icon_ico})
target_link_libraries(quenhar PRIVATE quenhar_icon_resource)
