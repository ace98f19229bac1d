# Fails when a folder of src/ includes a folder above it. The layers, lowest
# first: data; nc and geometry (each using only data); draw; transfer;
# workstation; ui; app. app/ holds the programs: its own folders (cli,
# window) include each other freely. Neither ui nor app includes
# workstation/state_access.h or workstation/workstation_state.h. Inside draw/
# the interpreter emits blocks to a sink (draw/block_sink.h) and knows
# neither the picture nor the path model, and neither of them knows the
# interpreter.
cmake_minimum_required(VERSION 3.25)
set(layers data nc geometry draw transfer workstation ui app)
# What each layer may include besides itself.
set(allowed_data "")
set(allowed_nc data)
set(allowed_geometry data)
set(allowed_draw data nc geometry)
set(allowed_transfer data nc geometry draw)
set(allowed_workstation data nc geometry draw transfer)
set(allowed_ui data nc geometry draw transfer workstation)
set(allowed_app data nc geometry draw transfer workstation ui cli window)

set(offenders "")
foreach(layer ${layers})
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z_]+)/.*" "\\1" folder "${line}")
      if(NOT folder STREQUAL layer AND NOT folder IN_LIST allowed_${layer})
        list(APPEND offenders "${f}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
# Sub-modules of draw/ that must not include each other: module, then what
# it must not include.
set(apart
  "draw/interpreter" "draw/picture"
  "draw/interpreter" "draw/path"
  "draw/picture" "draw/interpreter"
  "draw/path" "draw/interpreter")
list(LENGTH apart count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET apart ${i} module)
  list(GET apart ${j} forbidden)
  file(GLOB_RECURSE files ${SOURCE_DIR}/${module}/*.h ${SOURCE_DIR}/${module}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"${forbidden}/")
    foreach(line ${includes})
      list(APPEND offenders "${f}: ${line}")
    endforeach()
  endforeach()
endforeach()

if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "An include runs the wrong way (a lower layer includes a higher one, or a draw/ module one it must not see):\n${offenders}")
endif()

# The workstation's state is its own commands' to change: the faces read it
# through Workstation's accessors and change it through its verbs.
set(inside "")
foreach(layer ui app)
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"workstation/(state_access|workstation_state)\\.h\"")
    if(includes)
      list(APPEND inside "${f}")
    endif()
  endforeach()
endforeach()
if(inside)
  string(REPLACE ";" "\n" inside "${inside}")
  message(FATAL_ERROR "A face reaches into the workstation's state:\n${inside}")
endif()
