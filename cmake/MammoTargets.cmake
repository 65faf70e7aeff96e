# Shared settings for the project's own targets: warnings as errors,
# precompiled Qt headers, and the one-line test helper.

function(mammo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
                                           -Wno-error=deprecated-declarations)
endfunction()

function(mammo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_SOURCES)
    # A folder that has no code yet still gives its name to those that link it.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  target_precompile_headers(${name} PRIVATE <QtCore/QString> <QtCore/QVariant>
                            <QtCore/QList> <QtCore/QStringList>)
  mammo_warnings(${name})
endfunction()

# mammo_add_test(name SOURCES a.cpp b.cpp DEPENDS lib1 lib2 [TIMEOUT s])
function(mammo_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_DEPENDS})
  target_precompile_headers(${name} REUSE_FROM mammo_test_support)
  mammo_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
