# Installs beside the programs every DLL they load, as their import tables
# name them, found in the given folders; the DLLs those load in turn too.
# Windows' own DLLs are in none of the folders and are left to Windows.
# CMake's runtime-dependency sets would do this, but they look for the
# lower-cased name, which a case-sensitive file system does not find.
#   BINARIES    the programs and plugins to start from
#   FOLDERS     where the DLLs are
#   DESTINATION where they go
#   OBJDUMP     MinGW's objdump
cmake_policy(VERSION 3.25)
set(pending ${BINARIES})
set(found "")
while(pending)
  list(POP_FRONT pending binary)
  execute_process(COMMAND ${OBJDUMP} -p ${binary} OUTPUT_VARIABLE imports COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${imports}")
  foreach(entry ${names})
    string(REPLACE "DLL Name: " "" name "${entry}")
    foreach(folder ${FOLDERS})
      if(EXISTS "${folder}/${name}" AND NOT "${folder}/${name}" IN_LIST found)
        list(APPEND found "${folder}/${name}")
        list(APPEND pending "${folder}/${name}")
        break()
      endif()
    endforeach()
  endforeach()
endwhile()
file(INSTALL ${found} DESTINATION ${DESTINATION})
