# Read by cpack before it packs. Without SOURCE_DATE_EPOCH from the caller,
# the time of the last commit (outside a git checkout, the release day)
# stamps every file of the package, and of the programs that cpack rebuilds
# first: Qt's rcc writes it into the compiled-in icon in place of the
# icon's modification time.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_VARLO_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    execute_process(COMMAND date -u -d "${CPACK_VARLO_RELEASE_DATE}" +%s
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
