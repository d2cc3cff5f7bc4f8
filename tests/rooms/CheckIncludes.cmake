# Fails when a file under src/ includes a header from a room above its own.
# The rooms stack as platform -> arithmetic -> courseware -> sheet -> authoring, study, learners -> app;
# rooms on the same level may use each other.
#   cmake -DSOURCE_DIR=<repo>/src -P CheckIncludes.cmake
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(level_platform 0)
set(level_arithmetic 1)
set(level_courseware 2)
set(level_sheet 3)
set(level_authoring 4)
set(level_study 4)
set(level_learners 4)
set(level_app 5)

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(violations "")
foreach(file ${files})
  string(REGEX MATCH "^[^/]+" room "${file}")
  if(NOT DEFINED level_${room})
    continue() # main.cpp and anything outside the rooms
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(DEFINED level_${target} AND level_${target} GREATER level_${room})
      list(APPEND violations "src/${file} includes ${header}")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Includes that run up the rooms:\n  ${text}")
endif()
list(LENGTH files count)
message(STATUS "${count} files, every include stays in its room or below")
