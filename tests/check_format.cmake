# Fails when a C++ source of the project differs from what clang-format makes of it.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14 REQUIRED)
file(GLOB_RECURSE sources LIST_DIRECTORIES false
    ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
list(FILTER sources EXCLUDE REGEX "^${SOURCE_DIR}/build/")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Run clang-format -i on the files above.")
endif()
