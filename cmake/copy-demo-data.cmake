# Lays the demo data beside the executable: every file afresh, except the
# first-start nav.ini, which is copied only where none is, since the program
# writes the user's own there.
file(GLOB entries RELATIVE ${from} ${from}/*)
foreach(entry IN LISTS entries)
  if(entry STREQUAL "nav.ini")
    if(NOT EXISTS ${to}/nav.ini)
      file(COPY ${from}/nav.ini DESTINATION ${to})
    endif()
  else()
    file(COPY ${from}/${entry} DESTINATION ${to})
  endif()
endforeach()
