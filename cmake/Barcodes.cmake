# The C library's own parts, always linked as shared objects.
set(BARCODES_SYSTEM_LIBRARIES c m dl pthread rt)

# barcodes_archive(<out> <name> [<folders>...])
# What a program links for the library <name>: its static archive lib<name>.a
# where the Debian package ships one, otherwise the shared library. Linking the
# archives leaves the program a handful of shared objects to map and relocate
# as it starts instead of some fifty. Sanitizer builds link every library
# shared: they link JavaScriptCore as the program loads, and with it the shared
# ICU, of which a process must hold one copy.
function(barcodes_archive out name)
  if(NOT BARCODES_SANITIZE AND NOT BARCODES_FUZZ AND NOT name IN_LIST BARCODES_SYSTEM_LIBRARIES)
    find_library(BARCODES_ARCHIVE_${name} NAMES lib${name}.a HINTS ${ARGN})
    if(BARCODES_ARCHIVE_${name})
      set(${out} "${BARCODES_ARCHIVE_${name}}" PARENT_SCOPE)
      return()
    endif()
  endif()
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# barcodes_packages(<target> <pkg-config modules>...)
# An interface target with the modules' headers and libraries. A module links
# the archives of its library and of the libraries that one needs in turn when
# each of those has one (barcodes_archive()), otherwise its shared library.
function(barcodes_packages target)
  add_library(${target} INTERFACE)
  foreach(module IN LISTS ARGN)
    string(MAKE_C_IDENTIFIER "${target}_${module}" found)
    pkg_check_modules(${found} REQUIRED ${module})
    target_include_directories(${target} SYSTEM INTERFACE ${${found}_INCLUDE_DIRS})
    target_compile_options(${target} INTERFACE ${${found}_CFLAGS_OTHER})
    set(archives)
    foreach(name IN LISTS ${found}_STATIC_LIBRARIES)
      barcodes_archive(library ${name} ${${found}_STATIC_LIBRARY_DIRS})
      if(library STREQUAL name AND NOT name IN_LIST BARCODES_SYSTEM_LIBRARIES)
        set(archives)
        break()
      endif()
      list(APPEND archives ${library})
    endforeach()
    if(archives)
      target_link_libraries(${target} INTERFACE ${archives})
    else()
      target_link_libraries(${target} INTERFACE ${${found}_LINK_LIBRARIES})
    endif()
  endforeach()
endfunction()

# barcodes_library(<name> [DEPS <targets and libraries>...] [PKG <pkg-config modules>...])
# One static library made of every .cpp in the calling folder (not recursive).
# Headers are included by their path from the repository root:
#   #include "platform/foundation/Value.h"
function(barcodes_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PKG" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.c")
  file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}")
  if(ARG_PKG)
    barcodes_packages(${name}_PKG ${ARG_PKG})
    target_link_libraries(${name} PUBLIC ${name}_PKG)
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Threads::Threads)
endfunction()

# barcodes_test(<name> DEPS <targets>...)
# One gtest binary made of every .cpp in the calling folder, run by CTest with
# its own temporary application home and the project's leak suppressions.
function(barcodes_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1"
    TIMEOUT 600)
endfunction()

# barcodes_bench(<executable> <source> <libraries>...)
# One libbenchmark program; built only with -DBARCODES_BENCH=ON.
function(barcodes_bench name source)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${ARGN} benchmark::benchmark)
endfunction()

# barcodes_runtime_library(<target> <pkg-config package> <macro>)
# The target compiles against the package's headers only and opens its library
# while it runs (foundation::SharedLibrary): <macro> names the library's file.
function(barcodes_runtime_library target package macro)
  pkg_check_modules(${macro} REQUIRED ${package})
  pkg_get_variable(libdir ${package} libdir)
  list(GET ${macro}_LIBRARIES 0 name)
  file(READ_SYMLINK "${libdir}/lib${name}.so" file)
  get_filename_component(file "${file}" NAME)
  target_include_directories(${target} PUBLIC ${${macro}_INCLUDE_DIRS})
  target_compile_definitions(${target} PRIVATE ${macro}="${file}")
endfunction()
