# brindlecove_layering_test(): a CTest that holds each library to its layer. Each library may link
# only the libraries its row allows, and may include only its own headers and those of the libraries
# it links itself ("Qt" for Qt's headers); document, export and snapshot_lists include no Qt.
set(BRINDLECOVE_LAYERS
  "document:"
  "export:document"
  "snapshot_lists:document"
  # The modal seam speaks the document's message vocabulary (buttons, icon, answer).
  "platform:Qt,document"
  "snapshots:snapshot_lists,platform,document,Qt"
  # The main window's state and rules beneath it, without Qt.
  "brindlecove_controller:document,export"
  "brindlecove_app:brindlecove_controller,snapshots,snapshot_lists,platform,export,document,Qt")

function(brindlecove_layering_test)
  set(graph "")
  foreach(row ${BRINDLECOVE_LAYERS})
    string(REPLACE ":" ";" parts "${row}")
    list(GET parts 0 library)
    if(NOT TARGET ${library})
      continue()
    endif()
    list(LENGTH parts length)
    set(allowed "")
    if(length GREATER 1)
      list(GET parts 1 allowed)
      string(REPLACE "," ";" allowed "${allowed}")
    endif()
    get_target_property(folder ${library} SOURCE_DIR)
    get_target_property(sources ${library} SOURCES)
    get_target_property(roots ${library} INCLUDE_DIRECTORIES)
    get_target_property(links ${library} LINK_LIBRARIES)
    set(files "")
    foreach(source ${sources})
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder})
      cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${source} in_tree)
      if(in_tree)
        list(APPEND files ${source})
      endif()
    endforeach()
    set(declared "")
    foreach(link ${links})
      if(link MATCHES "^Qt6::")
        list(APPEND declared Qt)
      elseif(TARGET ${link} AND NOT link MATCHES "::")
        list(APPEND declared ${link})
      endif()
    endforeach()
    list(REMOVE_DUPLICATES declared)
    string(APPEND graph
      "set(${library}_folder [==[${folder}]==])\n"
      "set(${library}_files [==[${files}]==])\n"
      "set(${library}_roots [==[${roots}]==])\n"
      "set(${library}_declared [==[${declared}]==])\n"
      "set(${library}_allowed [==[${allowed}]==])\n"
      "list(APPEND libraries ${library})\n")
  endforeach()
  file(WRITE ${PROJECT_BINARY_DIR}/layering-graph.cmake "${graph}")
  add_test(NAME layering COMMAND ${CMAKE_COMMAND} -D GRAPH=${PROJECT_BINARY_DIR}/layering-graph.cmake
           -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayering.cmake)
endfunction()
