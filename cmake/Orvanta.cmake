# Small helpers shared by every folder's CMakeLists.txt.

# Adds the subdirectories of DIR that hold a CMakeLists.txt, in name order,
# so a new subsystem folder is picked up without touching its parent.
function(orvanta_add_subdirectories dir)
  file(GLOB children RELATIVE ${dir} ${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${dir}/${child} AND EXISTS ${dir}/${child}/CMakeLists.txt)
      add_subdirectory(${dir}/${child})
    endif()
  endforeach()
endfunction()

# orvanta_add_test(NAME name SOURCES a.cpp ... [LIBS ...] [FAKEHID] [ENV K=V ...] [TIMEOUT s] [LABELS ...])
# Builds a Qt Test executable and registers it with CTest, offscreen.
# FAKEHID preloads the fake keyboard library so the test talks to it through hidapi.
function(orvanta_add_test)
  cmake_parse_arguments(T "FAKEHID" "NAME;TIMEOUT" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} orvanta_testsupport Qt5::Test)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "QT_QPA_PLATFORM=offscreen" "ORVANTA_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
          "ORVANTA_BUILD_DIR=${CMAKE_BINARY_DIR}" "ORVANTA_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
          "ORVANTA_DATA_DIR=${ORVANTA_BUILD_DATA_DIR}" ${T_ENV})
  if(ORVANTA_SANITIZE)
    # Stop at the first finding with a full report. Leaks are checked; the
    # suppressions list only allocations Qt makes for itself.
    set(asan "halt_on_error=1:detect_leaks=1")
    if(T_FAKEHID)
      # The preloaded fake keyboard comes before the sanitizer runtime.
      string(APPEND asan ":verify_asan_link_order=0")
    endif()
    list(APPEND env "ASAN_OPTIONS=${asan}" "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
         "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/fuzz/lsan.supp:print_suppressions=0")
  endif()
  if(T_FAKEHID)
    list(APPEND env "ORVANTA_FAKEHID_PRELOAD=$<TARGET_FILE:orvanta_fakehid>")
    list(APPEND env "LD_PRELOAD=$<TARGET_FILE:orvanta_fakehid>")
    add_dependencies(${T_NAME} orvanta_fakehid)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
endfunction()
