# Install rules (GNUInstallDirs layout: the game in games/, its data in
# share/games/pelloquinade/), the desktop entry, icons, AppStream metainfo,
# man page, and the Debian package made by CPack (scripts/package.sh).
if(PELLO_FUZZ)
  return()
endif()

set(PELLO_APP_ID "org.pelloquinade.pelloquinade")
set(PELLO_HOMEPAGE "https://pelloquinade.org")
set(PELLO_MAINTAINER "Pelloquinade developers <team@pelloquinade.org>")
set(PELLO_SUMMARY "Horizontally scrolling shoot-'em-up")
# What the desktop entry adds to the command line: the whole game, from its
# own title menu.
set(PELLO_LAUNCH_ARGS "--campaign")
string(STRIP "pelloquinade ${PELLO_LAUNCH_ARGS}" PELLO_LAUNCH_COMMAND)

# The release date as a changelog wants it: "Tue, 08 Dec 2026 12:00:00 +0000".
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${PELLO_RELEASE_DATE}")
set(y ${CMAKE_MATCH_1})
math(EXPR m "${CMAKE_MATCH_2}")
math(EXPR d "${CMAKE_MATCH_3}")
if(m LESS 3)
  math(EXPR m "${m} + 12")
  math(EXPR y "${y} - 1")
endif()
math(EXPR weekday "(${d} + (13 * (${m} + 1)) / 5 + ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400) % 7")
set(_weekdays Sat Sun Mon Tue Wed Thu Fri)
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
math(EXPR month_index "${CMAKE_MATCH_2} - 1")
list(GET _weekdays ${weekday} weekday)
list(GET _months ${month_index} month)
set(PELLO_CHANGELOG_DATE "${weekday}, ${CMAKE_MATCH_3} ${month} ${CMAKE_MATCH_1} 12:00:00 +0000")
set(PELLO_MAN_DATADIR "${CMAKE_INSTALL_PREFIX}/${PELLO_INSTALL_GAMEDATADIR}")

set(PELLO_ICON_SIZES 32 48 64 128 256)
set(pack "${CMAKE_SOURCE_DIR}/packaging")
set(out "${CMAKE_BINARY_DIR}/packaging")

configure_file("${pack}/pelloquinade.desktop.in" "${out}/${PELLO_APP_ID}.desktop" @ONLY)
configure_file("${pack}/metainfo.xml.in" "${out}/${PELLO_APP_ID}.metainfo.xml" @ONLY)
configure_file("${pack}/pelloquinade.6.in" "${out}/pelloquinade.6" @ONLY)
configure_file("${pack}/changelog.in" "${out}/changelog" @ONLY)

# --- icons and screenshots, made from the generated data
find_package(ZLIB REQUIRED)
add_executable(pngexport "${CMAKE_SOURCE_DIR}/tools/pngexport/pngexport.cpp")
target_link_libraries(pngexport PRIVATE pello ZLIB::ZLIB)

set(icon_files)
foreach(size IN LISTS PELLO_ICON_SIZES)
  set(icon "${out}/icons/${size}x${size}/${PELLO_APP_ID}.png")
  add_custom_command(OUTPUT "${icon}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${out}/icons/${size}x${size}"
    COMMAND pngexport "${PELLO_DATA_DIR}/icon.bmp" "${icon}" --size ${size} --key
    DEPENDS pngexport "${PELLO_DATA_DIR}/.stamp" VERBATIM)
  list(APPEND icon_files "${icon}")
endforeach()

# The man page and the changelog, compressed as Debian wants them.
set(gz_files)
foreach(name pelloquinade.6 changelog)
  add_custom_command(OUTPUT "${out}/${name}.gz"
    COMMAND gzip -9nc "${out}/${name}" > "${out}/${name}.gz"
    DEPENDS "${out}/${name}")
  list(APPEND gz_files "${out}/${name}.gz")
endforeach()
add_custom_target(desktop_files ALL DEPENDS ${icon_files} ${gz_files})
# The data is made in another folder's rules: its stamp is a plain file here,
# so the data must be made first.
add_dependencies(desktop_files gamedata)

# Screenshots for the metainfo listing (published at PELLO_HOMEPAGE/screenshots/):
# the title and a moment of stage 1, played headless.
set(shots "${out}/screenshots")
add_custom_target(screenshots
  COMMAND ${CMAKE_COMMAND} -E make_directory "${shots}"
  COMMAND pelloquinade --headless --data "${PELLO_DATA_DIR}" --input "${CMAKE_SOURCE_DIR}/scripts/combat_run.txt"
          --power 1,1 --frames 1200 --dump-frames 360,1700 --dump-dir "${shots}"
  COMMAND pngexport "${shots}/frame_000360.bmp" "${shots}/title.png" --scale 3
  COMMAND pngexport "${shots}/frame_001700.bmp" "${shots}/stage1.png" --scale 3
  DEPENDS pelloquinade pngexport gamedata VERBATIM)

# --- install
install(TARGETS pelloquinade RUNTIME DESTINATION "${PELLO_INSTALL_GAMEDIR}")
install(DIRECTORY "${PELLO_DATA_DIR}/" DESTINATION "${PELLO_INSTALL_GAMEDATADIR}" PATTERN ".stamp" EXCLUDE)
install(FILES "${out}/${PELLO_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${out}/${PELLO_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(size IN LISTS PELLO_ICON_SIZES)
  install(FILES "${out}/icons/${size}x${size}/${PELLO_APP_ID}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${out}/pelloquinade.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
install(FILES "${pack}/copyright" "${out}/changelog.gz" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/pelloquinade")

# --- the Debian package
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelloquinade)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${PELLO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PELLO_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "Pelloquinade is a horizontally scrolling shoot-'em-up. Pick one of the
characters and fly through the stages: waves of enemies enter and fire, you
shoot back, collect items that raise your shot level and add options and
barriers, charge a meter by destroying enemies and spend it on screen-wide
techniques, and beat each stage's boss.

It draws at 320 x 240 pixels, scaled to fill the screen, plays music through
a General MIDI soundfont, and reads the keyboard and game controllers.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PELLO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
