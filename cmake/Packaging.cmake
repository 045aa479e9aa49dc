# The Debian package, from the install rules: `cpack -G DEB` in a build folder
# writes varlo_<version>_<arch>.deb. dpkg-shlibdeps names the libraries the
# programs need.
set(VARLO_MAINTAINER "The Varlo team <maintainers@users.noreply.c-seed-61569b82.example>"
    CACHE STRING "Maintainer of the Debian package, as Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varlo)
set(CPACK_PACKAGE_VENDOR "The Varlo team")
set(CPACK_PACKAGE_CONTACT "${VARLO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "card game of eight contracts against three computer players")
set(CPACK_PACKAGE_DESCRIPTION [=[
Varlo is a card game for one player against Jack, Sandra and Ben, with a
deck of 32 cards. A match has 32 deals; before each deal one player picks a
contract, and every player picks each of the eight contracts once.

Seven contracts are trick games without trumps, each with its own points
for tricks, queens, the king of hearts, the ten of clubs or diamonds. The
eighth, Varlo, is a layout game in which the cards are built out from the
jacks. The ten best match totals are kept.

The game can keep statistics of the matches played and show them in
figures and charts.

The package also holds varlo-sim, which plays whole matches without a
window and checks the rules after every move.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without the SVG plug-ins the window shows its bitmap icon.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libqt6svg6)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The same sources give the same package, byte for byte. Every time stamp in
# it is SOURCE_DATE_EPOCH, which cpack takes from the caller or else from the
# last commit (VarloPackageDate.cmake). The modes of the folders that cpack
# makes, and of the package's own members, follow the umask: cpack runs
# under 022 (scripts/package, tests/package).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/VarloPackageDate.cmake)
set(CPACK_VARLO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_VARLO_RELEASE_DATE ${VARLO_RELEASE_DATE})

# strip keeps the compiler's .comment section, which only names the compiler
# and which Debian's packages leave out. Runs after the programs' and the
# module's own install rules, which come earlier in the build.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(file ${VARLO_INSTALL_GAMESDIR}/varlo ${VARLO_INSTALL_GAMESDIR}/varlo-sim
                 ${VARLO_INSTALL_MODULEDIR}/varlo-statistics.so)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

# The copyright file and the changelog that every Debian package carries; a
# package without a Debian revision is native and keeps changelog.gz.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
install(FILES ${PROJECT_SOURCE_DIR}/res/copyright DESTINATION ${doc_dir})
execute_process(COMMAND date -u -R -d ${VARLO_RELEASE_DATE}
                OUTPUT_VARIABLE VARLO_RELEASE_DAY OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
find_program(GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/res/changelog.in changelog @ONLY)
set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${GZIP} -9nkf ${CMAKE_CURRENT_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog VERBATIM)
add_custom_target(varlo_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${changelog_gz} DESTINATION ${doc_dir})

include(CPack)
