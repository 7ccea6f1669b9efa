# Configures an outer project that holds this one as a subfolder, builds the
# help document's target there and checks that the document lies beside the
# program, in the subproject's own build folder.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/src)
file(WRITE ${WORK_DIR}/src/CMakeLists.txt
  "cmake_minimum_required(VERSION 3.25)\n"
  "project(Outer LANGUAGES CXX)\n"
  "add_subdirectory(\"${VELANTRA_SOURCE}\" velantra)\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${WORK_DIR}/src -B ${WORK_DIR}/build -G ${GENERATOR} -DVELANTRA_BENCH=OFF
  RESULT_VARIABLE configured OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "configuring as a subproject failed:\n${out}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build --target help_document
  RESULT_VARIABLE built OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "building the help document as a subproject failed:\n${out}")
endif()
file(READ ${VELANTRA_SOURCE}/app/DivorHelp.doc original HEX)
file(READ ${WORK_DIR}/build/velantra/DivorHelp.doc copied HEX)
if(NOT original STREQUAL copied)
  message(FATAL_ERROR "the help document beside the program is not the project's own")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
