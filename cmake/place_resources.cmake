# Places resources/ beside the executables of a build tree (cmake -P, with
# SOURCE and DEST). Shipped texts and examples are refreshed on every build;
# the settings, tool and zero-point files are copied only when missing, since
# a build tree is a data directory and the operator's saved files live there.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
set(operator_files QVM_ini.Dat QVM_wkz.dat Npv_QVM.dat)
foreach(file ${files})
  if(file IN_LIST operator_files AND EXISTS ${DEST}/${file})
    continue()
  endif()
  get_filename_component(dir ${DEST}/${file} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${SOURCE}/${file} ${DEST}/${file} ONLY_IF_DIFFERENT)
endforeach()
