# Every source folder is globbed so that adding a file needs no edit here.
function(brindle_glob out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB f CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.c")
    list(APPEND files ${f})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# One GoogleTest executable per test folder (or list of folders); GUI tests run under the Xvfb the test script starts.
# DISPLAY marks tests that type and point on the shared display: they take turns.
function(brindle_test_area name dir)
  cmake_parse_arguments(A "DISPLAY" "" "LIBS" ${ARGN})
  brindle_glob(srcs ${dir})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    BRINDLE_CORPUS_DIR="${BRINDLE_CORPUS_DIR}"
    BRINDLE_SAMPLES_DIR="${BRINDLE_SAMPLES_DIR}"
    BRINDLE_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    BRINDLE_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # A cross build can't run its test programs while it builds: their tests are listed when ctest runs.
  set(discovery)
  if(CMAKE_CROSSCOMPILING)
    set(discovery DISCOVERY_MODE PRE_TEST)
  endif()
  if(A_DISPLAY)
    gtest_discover_tests(${name} ${discovery} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 RESOURCE_LOCK display)
  else()
    gtest_discover_tests(${name} ${discovery} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# wxWidgets: wx-config through CMake's module on Linux; on Windows the static MSW build that
# scripts/windows-build.sh installs with its own package file. Either way the caller gets
# wxWidgets_LIBRARIES (and the module's compile settings where it has them).
macro(brindle_find_wxwidgets)
  if(WIN32)
    set(wxWidgets_USE_STATIC ON)
    find_package(wxWidgets 3.2 CONFIG REQUIRED COMPONENTS ${ARGN})
    set(wxWidgets_LIBRARIES)
    foreach(component IN ITEMS ${ARGN})
      list(APPEND wxWidgets_LIBRARIES wx::${component})
    endforeach()
  else()
    find_package(wxWidgets 3.2 REQUIRED COMPONENTS ${ARGN})
    include(${wxWidgets_USE_FILE})
  endif()
endmacro()
