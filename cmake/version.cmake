# Run by the build (cmake -P) on every build: writes OUT, the source that
# holds the --version line, with the commit when the sources are a git
# checkout. OUT is rewritten only when the line changes, so an unchanged
# checkout recompiles nothing.
#   -DSRC=source folder -DOUT=file -DNAME=program -DVERSION=x.y.z
set(line "${NAME} ${VERSION}")
find_program(GIT git)
if(GIT)
  execute_process(COMMAND "${GIT}" -C "${SRC}" rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed AND commit)
    execute_process(COMMAND "${GIT}" -C "${SRC}" status --porcelain --untracked-files=no
                    OUTPUT_VARIABLE changes OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(changes)
      string(APPEND commit " with local changes")
    endif()
    string(APPEND line " (commit ${commit})")
  endif()
endif()
set(text "// Made by the build (cmake/version.cmake); not kept in git.\n#include \"shell/version.h\"\n\nconst char* const kVersionLine = \"${line}\";\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
