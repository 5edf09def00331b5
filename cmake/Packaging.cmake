# What a Debian system expects beside the programs (AppStream metadata, manual
# pages, shell completion, copyright and changelog) and the .deb packages that
# scripts/package builds from it. Included after every install() rule, since
# CPack takes the list of components as it stands here.

# The release date and the addresses are kept here, beside the one version
# number in project(): bump them together.
set(CORVELA_RELEASE_DATE "2026-12-08")
set(CORVELA_HOMEPAGE "https://corvela.example.org" CACHE STRING
  "Home page named by the package metadata")
set(CORVELA_PICTURES "${CORVELA_HOMEPAGE}/docs" CACHE STRING
  "Where the README's tab pictures (docs/tab-*.png) are published")
set(CORVELA_APPSTREAM_ID "org.example.corvela")
set(CORVELA_LICENSE "LicenseRef-proprietary")
set(CORVELA_MAINTAINER "Corvela maintainers <maintainers@corvela.example.org>" CACHE STRING
  "Maintainer named by the package and its changelog")

set(packaging_src "${PROJECT_SOURCE_DIR}/packaging")
set(packaging_bin "${PROJECT_BINARY_DIR}/packaging")

# The changelog wants the date the way mail does.
execute_process(COMMAND date -u -R -d "${CORVELA_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE CORVELA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE date_failed)
if(date_failed)
  set(CORVELA_RELEASE_DATE_RFC2822 "${CORVELA_RELEASE_DATE}")
endif()

set(CORVELA_METAINFO_FILE "${packaging_bin}/${CORVELA_APPSTREAM_ID}.metainfo.xml")
configure_file("${packaging_src}/corvela.metainfo.xml.in" "${CORVELA_METAINFO_FILE}" @ONLY)
get_target_property(CORVELA_FERZOLA_VERSION Ferzola VERSION)
configure_file("${packaging_src}/ferzola.pc.in" "${packaging_bin}/ferzola.pc" @ONLY)

# Manual pages and the changelog are installed compressed, as Debian wants;
# -n keeps the archives the same from one build to the next. Without gzip
# (not a Debian build) they are installed as they are.
find_program(CORVELA_GZIP gzip)
set(installed_docs)
foreach(page corvela.1 corvela-skin.1 changelog)
  configure_file("${packaging_src}/${page}.in" "${packaging_bin}/${page}" @ONLY)
  if(CORVELA_GZIP)
    add_custom_command(OUTPUT "${packaging_bin}/${page}.gz"
      COMMAND "${CORVELA_GZIP}" -9 -n -c "${packaging_bin}/${page}" > "${packaging_bin}/${page}.gz"
      DEPENDS "${packaging_bin}/${page}"
      VERBATIM)
    set(installed_${page} "${packaging_bin}/${page}.gz")
  else()
    set(installed_${page} "${packaging_bin}/${page}")
  endif()
  list(APPEND installed_docs "${installed_${page}}")
endforeach()
add_custom_target(corvela_manuals ALL DEPENDS ${installed_docs})

install(FILES "${CORVELA_METAINFO_FILE}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  COMPONENT corvela)
install(FILES "${installed_corvela.1}" "${installed_corvela-skin.1}"
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT corvela)
install(FILES "${packaging_src}/corvela-skin.bash"
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME corvela-skin
  COMPONENT corvela)
# File managers draw a skin's icon as its standby screen.
install(FILES "${packaging_src}/corvela.thumbnailer"
  DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers COMPONENT corvela)
install(FILES "${packaging_bin}/ferzola.pc" DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT libferzola-dev)
foreach(package corvela libferzola-dev)
  install(FILES "${packaging_src}/copyright" "${installed_changelog}"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${package})
endforeach()

# One package for the programs with the library they load, one for building
# other programs against that library.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvela)
set(CPACK_PACKAGE_VENDOR "Corvela maintainers")
set(CPACK_PACKAGE_CONTACT "${CORVELA_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL corvela libferzola-dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CORVELA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_CORVELA_PACKAGE_NAME corvela)
set(CPACK_DEBIAN_CORVELA_PACKAGE_SECTION graphics)
# libzip is loaded only when a .zip is handled, so dpkg-shlibdeps cannot see
# it; the soname the build was made against is named here.
set(CPACK_DEBIAN_CORVELA_PACKAGE_DEPENDS "libzip4")
# dpkg's ldconfig trigger replaces the maintainer scripts CPack would write
# to call ldconfig; naming scripts that do not exist stops CPack writing them.
set(CPACK_DEBIAN_CORVELA_PACKAGE_CONTROL_EXTRA "${packaging_src}/triggers"
  "${packaging_bin}/none/postinst" "${packaging_bin}/none/postrm")
set(CPACK_COMPONENT_CORVELA_DESCRIPTION
  "editor of the v980 standby-screen skin
Corvela opens the standby-screen skin of the v980 handset, a vodafone.ski
file with the vodafone.dat archives beside it, and shows its graphic
objects, colours, positions and structure together with a live preview of
the phone screen. Images can be extracted and replaced, colours, positions
and the clock edited, and the skin saved with the replaced images packed
into a new archive and the previous skin kept as a copy.
.
The command-line tool corvela-skin lists, checks, edits, saves and renders
skins without a window. The user interface is in Italian.
.
The package also holds the Ferzola control library the editor loads and the
default set of images and colours.")

set(CPACK_DEBIAN_LIBFERZOLA-DEV_PACKAGE_NAME libferzola-dev)
set(CPACK_DEBIAN_LIBFERZOLA-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LIBFERZOLA-DEV_PACKAGE_DEPENDS "corvela (= ${PROJECT_VERSION}), qt6-base-dev")
set(CPACK_COMPONENT_LIBFERZOLA-DEV_DESCRIPTION
  "development files of the Ferzola control library
Ferzola provides the LineSeparator widget, a Qt Widgets control that draws
an etched line, used under the tool bar of the Corvela skin editor.
.
This package holds the headers, the link to the shared library and the
pkg-config file needed to build programs that use it.")

include(CPack)
