# The Qt headers, parsed once per build instead of in every file: one precompiled header for the
# core's targets, one for the widget targets and one for the tests, each built by a target of its
# own that links what its users link, so its defines are theirs. Every other target reuses the
# one that fits it. A target with compile options of its own (the fuzz targets) sets
# DISABLE_PRECOMPILE_HEADERS.
option(ZORVANE_PCH "Precompile the Qt headers" ON)

# ccache caches a compile that uses a precompiled header only when told that the header's
# defines and time macros are the header's concern.
if(ZORVANE_PCH AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros
        ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

set(ZORVANE_PCH_CORE <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QIODevice> <QList> <QObject>
    <QSaveFile> <QString> <QStringList> <QTextStream> <QTimer> <QUrl> <functional> <memory> <optional> <variant>)
set(ZORVANE_PCH_GUI <QAction> <QApplication> <QBoxLayout> <QCheckBox> <QComboBox> <QHeaderView> <QLabel> <QLineEdit>
    <QMenuBar> <QPainter> <QPlainTextEdit> <QPushButton> <QTreeWidget> <QWidget>)
set(ZORVANE_PCH_TEST <QProcess> <QSignalSpy> <QTemporaryDir> <QTest>)

# zorvane_pch_target(NAME LINKS... HEADERS...): a target that only builds a precompiled header.
function(zorvane_pch_target name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LINKS;HEADERS")
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// Builds ${name}'s precompiled header.\n")
    add_library(${name} OBJECT ${source})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${name} PRIVATE ${arg_LINKS})
    target_precompile_headers(${name} PRIVATE ${arg_HEADERS})
endfunction()

# The targets declared in dir and the folders below it.
function(zorvane_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir ${subdirs})
        zorvane_targets_below(${subdir} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Called last in the top folder: the core and widget headers, and which targets reuse which.
# The tests' header is built in tests/ (zorvane_pch_test), where the tests' paths are.
function(zorvane_precompile_headers)
    if(NOT ZORVANE_PCH)
        return()
    endif()
    zorvane_pch_target(zorvane_pch_core LINKS zorvane_cfg Qt6::Core Qt6::Network HEADERS ${ZORVANE_PCH_CORE})
    if(ZORVANE_BUILD_GUI)
        zorvane_pch_target(zorvane_pch_gui LINKS zorvane_cfg Qt6::Core Qt6::Network Qt6::Widgets
            HEADERS ${ZORVANE_PCH_CORE} ${ZORVANE_PCH_GUI})
    endif()
    zorvane_targets_below(${CMAKE_SOURCE_DIR} targets)
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        get_target_property(disabled ${target} DISABLE_PRECOMPILE_HEADERS)
        if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$" OR disabled)
            continue()
        endif()
        zorvane_link_closure(${target} linked)
        get_target_property(dir ${target} SOURCE_DIR)
        if("Qt6::Test" IN_LIST linked AND TARGET zorvane_pch_test AND dir STREQUAL "${CMAKE_SOURCE_DIR}/tests")
            target_precompile_headers(${target} REUSE_FROM zorvane_pch_test)
            # A test includes its own moc output, which leaves the generated file empty: the
            # header would only cost its loading there.
            if(target MATCHES "^tst_")
                get_target_property(bin ${target} BINARY_DIR)
                set_source_files_properties(${bin}/${target}_autogen/mocs_compilation.cpp TARGET_DIRECTORY ${target}
                    PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
            endif()
        elseif("Qt6::Test" IN_LIST linked)
            # A test's defines name its own folder: elsewhere no header fits.
            continue()
        elseif("Qt6::Widgets" IN_LIST linked)
            target_precompile_headers(${target} REUSE_FROM zorvane_pch_gui)
        else()
            target_precompile_headers(${target} REUSE_FROM zorvane_pch_core)
        endif()
    endforeach()
endfunction()
