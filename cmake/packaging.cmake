# The release archives, made by `cmake --build --preset NAME --target package`:
# scenario-compiler-VERSION-windows-x86_64.zip from the windows preset, and
# scenario-compiler-VERSION-linux-x86_64.tar.gz with a .deb from the default one. Each holds the
# program, the manual and the format reference as HTML, the editor extension when it was built,
# and a README for its users.

# The manual pages as HTML, for readers without man: Debian's mandoc on the building machine.
find_program(SC_MANDOC mandoc)
set(SC_MANUAL_HTML ${SC_DOCS}/scenario-compiler.html ${SC_DOCS}/scenario-compiler-format.html)
if(SC_MANDOC)
  add_custom_command(OUTPUT ${SC_MANUAL_HTML}
    COMMAND ${SC_MANDOC} -Thtml ${SC_DOCS}/scenario-compiler.1
            > ${SC_DOCS}/scenario-compiler.html
    COMMAND ${SC_MANDOC} -Thtml ${SC_DOCS}/scenario-compiler-format.5
            > ${SC_DOCS}/scenario-compiler-format.html
    DEPENDS ${SC_DOC_FILES}
    COMMENT "Writing the manual pages as HTML")
  add_custom_target(scenario-compiler-manual-html ALL DEPENDS ${SC_MANUAL_HTML})
endif()

if(WIN32)
  set(SC_DOC_DESTINATION .)
  # With CR LF line ends, as every text file the program writes on Windows.
  file(READ ${CMAKE_SOURCE_DIR}/packaging/README-windows.txt readme)
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme}")
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME scenario-compiler-${PROJECT_VERSION}-windows-x86_64)
else()
  set(SC_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scenario-compiler)
  install(FILES packaging/README-linux.txt DESTINATION ${SC_DOC_DESTINATION} RENAME README)
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_PACKAGE_FILE_NAME scenario-compiler-${PROJECT_VERSION}-linux-x86_64)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The scenario compiler's developers")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
endif()
if(SC_MANDOC)
  install(FILES ${SC_MANUAL_HTML} DESTINATION ${SC_DOC_DESTINATION})
endif()

# The editor extension is built by the Linux suite (its vscode_vsix test), so it is not a file of
# this build: the archives take it, when it was built, as they are made, beside the manual.
set(SC_VSIX "${CMAKE_SOURCE_DIR}/build/default/scenario-compiler.vsix" CACHE FILEPATH
    "The editor extension put into the release archives when it exists")
set(SC_VSIX_DESTINATION ${SC_DOC_DESTINATION})
configure_file(cmake/package_extension.cmake.in ${CMAKE_BINARY_DIR}/package_extension.cmake @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/package_extension.cmake)

set(CPACK_PACKAGE_NAME scenario-compiler)
set(CPACK_PACKAGE_VENDOR "scenario-compiler")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Compiles a train-driving simulator's route and train sources into its scenario files")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
# The archives hold only what `cmake --install` installs of the program, never the tests.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};scenario_compiler;ALL;/")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
