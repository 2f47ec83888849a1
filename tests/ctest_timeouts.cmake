# Fails when a test known to CTest has no TIMEOUT property.
# Arguments: -DCTEST=<ctest program> -DDOSSIER=<build folder>.
execute_process(COMMAND ${CTEST} --show-only=json-v1
  WORKING_DIRECTORY ${DOSSIER} OUTPUT_VARIABLE json RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "ctest --show-only failed (${code})")
endif()
string(JSON nombre LENGTH "${json}" tests)
if(nombre EQUAL 0)
  message(FATAL_ERROR "no test found in ${DOSSIER}")
endif()
# A test holds each property once: as many TIMEOUT properties as tests means
# every test has one. Walking the tests one by one is slow, so only a
# failure names them.
string(REGEX MATCHALL "\"name\" *: *\"TIMEOUT\"" delais "${json}")
list(LENGTH delais avecDelai)
if(avecDelai EQUAL nombre)
  message(STATUS "${nombre} tests, each with a timeout")
  return()
endif()
set(sans "")
math(EXPR dernier "${nombre} - 1")
foreach(i RANGE ${dernier})
  string(JSON test GET "${json}" tests ${i})
  if(NOT test MATCHES "\"name\" *: *\"TIMEOUT\"")
    string(JSON nom GET "${test}" name)
    list(APPEND sans ${nom})
  endif()
endforeach()
message(FATAL_ERROR "tests without a timeout: ${sans}")
