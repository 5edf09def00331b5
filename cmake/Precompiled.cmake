# Precompiled headers. Parsing the Qt headers takes two to three seconds of
# processor time per file, more than compiling most of our files themselves:
# the headers nearly every file includes are compiled once and reused.
#
# The programs and libraries share one compiled header per kind (Qt Core and
# Gui, or Qt Widgets too), made by an empty library here at the top: it is
# compiled with the options they all have, as a compiled header requires, and
# a header compiled in one folder cannot be reused from a sibling folder. A
# test program compiles its own, with GoogleTest's header and, for the
# window's tests, QtTest's, whose macros differ from one program to the next.
#
# Off for the fuzz targets: clang refuses a header compiled without the
# instrumentation the fuzzed libraries get. With -DCORVELA_PCH=OFF the build
# also proves that every file includes what it uses.
option(CORVELA_PCH "Precompile the Qt and test headers" ON)
if(CORVELA_FUZZ)
  set(CORVELA_PCH OFF)
endif()

set(CORVELA_PCH_GUI
  <QByteArray> <QColor> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QImage> <QObject>
  <QRegularExpression> <QString> <QStringList>
  <algorithm> <array> <map> <memory> <optional> <string> <utility> <vector>)
set(CORVELA_PCH_WIDGETS ${CORVELA_PCH_GUI}
  <QAction> <QApplication> <QBoxLayout> <QCheckBox> <QComboBox> <QGridLayout> <QGroupBox>
  <QLabel> <QLineEdit> <QMainWindow> <QPainter> <QPushButton> <QRadioButton> <QScrollArea>
  <QTreeView> <QWidget>)

# corvela_precompile(TARGET KIND)
#   gui, widgets: reuse the shared compiled header of that kind;
#   gui_tests, widgets_tests: the test program's own.
function(corvela_precompile target kind)
  if(NOT CORVELA_PCH)
    return()
  endif()
  if(kind STREQUAL "gui" OR kind STREQUAL "widgets")
    target_precompile_headers(${target} REUSE_FROM corvela_pch_${kind})
  elseif(kind STREQUAL "gui_tests")
    target_precompile_headers(${target} PRIVATE ${CORVELA_PCH_GUI} <QTemporaryDir> <gtest/gtest.h>)
  elseif(kind STREQUAL "widgets_tests")
    target_precompile_headers(${target} PRIVATE
      ${CORVELA_PCH_WIDGETS} <QSignalSpy> <QTemporaryDir> <QTest> <gtest/gtest.h>)
  else()
    message(FATAL_ERROR "corvela_precompile: unknown kind ${kind}")
  endif()
endfunction()

# ccache caches files that use a compiled header only when told that its
# macros and time stamps may be left out of the hash; without that each of
# them is compiled anew on every build. Set here rather than in the scripts,
# so that any build through ccache gets it. The inode cache spares hashing
# the compiled header (some 200 MB) once per file.
if(CORVELA_PCH AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  set(sloppiness pch_defines,time_macros)
  if(DEFINED ENV{CCACHE_SLOPPINESS})
    string(PREPEND sloppiness "$ENV{CCACHE_SLOPPINESS},")
  endif()
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=${sloppiness}
    CCACHE_INODECACHE=true ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

if(CORVELA_PCH)
  add_library(corvela_pch_gui OBJECT cmake/pch_anchor.cpp)
  target_link_libraries(corvela_pch_gui PRIVATE Qt6::Core Qt6::Gui corvela_warnings)
  target_precompile_headers(corvela_pch_gui PRIVATE ${CORVELA_PCH_GUI})
  add_library(corvela_pch_widgets OBJECT cmake/pch_anchor.cpp)
  target_link_libraries(corvela_pch_widgets PRIVATE Qt6::Widgets corvela_warnings)
  target_precompile_headers(corvela_pch_widgets PRIVATE ${CORVELA_PCH_WIDGETS})
  set_target_properties(corvela_pch_gui corvela_pch_widgets PROPERTIES AUTOMOC OFF)
endif()
