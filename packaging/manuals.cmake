# The manual pages of the four commands, in English and Simplified Chinese,
# and the package's copyright file and changelog, installed where Debian
# keeps them. Pages and changelog are compressed without a name or time
# stamp, so that the same sources always give the same package.
find_program(GZIP gzip REQUIRED)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/quenhar)

# Copies SOURCE into the build tree as NAME (a path under compressed/ that
# ends in SOURCE's file name), compresses it to NAME.gz and installs that
# into DESTINATION.
set(compressed_docs)
function(install_compressed source name destination)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name})
  add_custom_command(
    OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${GZIP} -9nf ${copy}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  install(FILES ${copy}.gz DESTINATION ${destination})
  set(compressed_docs ${compressed_docs} ${copy}.gz PARENT_SCOPE)
endfunction()

foreach(command quenhar quenhar-bank quenhar-editor quenhar-launcher)
  install_compressed(${CMAKE_CURRENT_SOURCE_DIR}/man/${command}.1 ${command}.1 ${CMAKE_INSTALL_MANDIR}/man1)
  install_compressed(${CMAKE_CURRENT_SOURCE_DIR}/man/zh_CN/${command}.1 zh_CN/${command}.1
    ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
endforeach()
install_compressed(${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog changelog ${doc_dir})
add_custom_target(quenhar_docs ALL DEPENDS ${compressed_docs})

install(FILES debian/copyright DESTINATION ${doc_dir})
