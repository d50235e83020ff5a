# `cmake --install build --prefix P`: the programs into P/bin, the read-only program data
# into P/share/t418-zen/ (found from the binary as ../share/t418-zen/, so the prefix can be
# moved), the udev rule, the desktop entry, icons, AppStream metainfo and man pages into
# their freedesktop places. Nothing outside the prefix is written.
#
# T418_FONTS_INSTALL: "link" (default) makes Font/ links to the system font files, as the
# build tree has them (a package depends on the font packages); "copy" copies the files, for
# a tree that must stand on its own.
include(GNUInstallDirs)

set(T418_FONTS_INSTALL "link" CACHE STRING "Font/ of the install: link or copy")
set_property(CACHE T418_FONTS_INSTALL PROPERTY STRINGS link copy)
set(T418_APP_ID "com.draxmoor.T418Zen")
set(T418_SCREENSHOT_URL "https://draxmoor.com/t418-zen/images"
    CACHE STRING "Where the metainfo's screenshots are published")
set(T418_DATA_DIR ${CMAKE_INSTALL_DATADIR}/t418-zen)

foreach(program t418-zen t418-zenctl t418-zen-sim t418-zen-audio skin-preview ui-gallery)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/skin ${CMAKE_SOURCE_DIR}/resources/DefaultData
        DESTINATION ${T418_DATA_DIR})
# The firmware upgrade folder; the program creates nothing in it when installed.
install(DIRECTORY DESTINATION ${T418_DATA_DIR}/Update)
# Installed under /usr (the package) the links are relative, so they hold in the installed
# system and do not make the fonts count as the package's size.
install(CODE "set(t418_font_mode ${T418_FONTS_INSTALL})
  if(t418_font_mode STREQUAL link AND \"\${CMAKE_INSTALL_PREFIX}\" STREQUAL \"/usr\")
    set(t418_font_mode relative)
  endif()
  execute_process(COMMAND \${CMAKE_COMMAND}
    -DDEST=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${T418_DATA_DIR}/Font
    -DFINAL=\${CMAKE_INSTALL_PREFIX}/${T418_DATA_DIR}/Font
    -DMODE=\${t418_font_mode} -P ${CMAKE_SOURCE_DIR}/cmake/Fonts.cmake
    COMMAND_ERROR_IS_FATAL ANY)")

# The udev rule lives in lib/ whatever the library folder of the system is.
install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/70-t418-zen.rules DESTINATION lib/udev/rules.d)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/linux/${T418_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_SOURCE_DIR}/packaging/linux/${T418_APP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/${T418_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${T418_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the scalable picture and PNGs rendered from it at build time.
set(T418_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/skin/common/icon/app_icon.svg)
install(FILES ${T418_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME t418-zen.svg)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(T418_ICON_PNGS "")
  foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/t418-zen.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${T418_ICON_SVG}
      DEPENDS ${T418_ICON_SVG} VERBATIM)
    list(APPEND T418_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(t418_icons ALL DEPENDS ${T418_ICON_PNGS})
else()
  message(WARNING "rsvg-convert not found (librsvg2-bin): only the scalable icon is installed")
endif()

# Man pages from docs/cli.md, one source for both.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  set(T418_MAN_PAGES "")
  foreach(page t418-zen t418-zenctl t418-zen-sim)
    list(APPEND T418_MAN_PAGES ${CMAKE_BINARY_DIR}/man/${page}.1)
  endforeach()
  add_custom_command(OUTPUT ${T418_MAN_PAGES}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/cli-to-man
            ${CMAKE_SOURCE_DIR}/docs/cli.md ${CMAKE_BINARY_DIR}/man ${PROJECT_VERSION}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/cli.md ${CMAKE_SOURCE_DIR}/scripts/cli-to-man VERBATIM)
  add_custom_target(t418_man ALL DEPENDS ${T418_MAN_PAGES})
  install(FILES ${T418_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
