# The Debian package. dpkg-shlibdeps finds the Qt, SQLite and other libraries
# the binaries link; the Qt platform plugins come with libqt6gui6. The fonts
# for the Chinese interface are loaded at run time, so they are named here.
set(QUENHAR_PACKAGE_MAINTAINER "Quenhar developers <quenhar@example.org>"
  CACHE STRING "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quenhar)
set(CPACK_PACKAGE_VENDOR "Quenhar developers")
set(CPACK_PACKAGE_CONTACT "${QUENHAR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "road traffic regulations trainer for learner drivers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Quenhar asks single-choice and true/false questions on the road traffic\n"
  "regulations from a question bank, with pictures, and tells at once whether\n"
  "an answer is right. It has practice by category, in sequence and on the\n"
  "must-answer questions, and a 100-question mock exam. The interface is in\n"
  "Simplified Chinese. The package holds a sample bank, the bank tool\n"
  "quenhar-bank, which builds banks from JSON or CSV sources, and the\n"
  "question-bank editor quenhar-editor for teachers.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-arphic-uming")
set(CPACK_STRIP_FILES ON)
include(CPack)
