# Fails when a file of the core includes a Qt header.
file(GLOB_RECURSE files
  ${SOURCE_DIR}/data/* ${SOURCE_DIR}/nc/* ${SOURCE_DIR}/geometry/*
  ${SOURCE_DIR}/draw/* ${SOURCE_DIR}/transfer/* ${SOURCE_DIR}/workstation/*)
set(offenders "")
foreach(f ${files})
  file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt)")
  if(hits)
    list(APPEND offenders "${f}: ${hits}")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Qt headers in the core:\n${offenders}")
endif()
