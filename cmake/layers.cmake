# The layers of the code, each a target of its own: vivar_base (what every
# layer uses: the system's differences, threads, words, numbers) <-
# vivar_model (the board, the rules, the generation, the creatures) <-
# vivar_studies (experiments, sweeps, tables read back to go on) and
# vivar_app (options, the run on screen, pacing) <- vivar_view (the scene
# and the window, over vivar_window); the programs on top.
#
# A layer's include path holds its own headers and nothing else, each under
# the folder name the code includes it by ("model/board.h"), as links to the
# sources. A layer links privately the layers below that it uses, so an
# include that runs upward, or reaches past what a layer links, fails to
# compile.
#   vivar_layer_headers(TARGET HEADER...)   headers relative to the project
function(vivar_layer_headers target)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  foreach(header ${ARGN})
    get_filename_component(folder ${root}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# A layer: a static library of SOURCES whose include path holds its HEADERS
# (relative to the project, as the code includes them; patterns allowed),
# linking PUBLIC_LINKS for its users and LINKS for itself alone, built with
# the project's warnings. What a layer needs beyond that (position-independent
# code, definitions) is set on the target after the call.
#   vivar_layer(NAME SOURCES file... [HEADERS pattern...] [LINKS target...]
#               [PUBLIC_LINKS target...])
function(vivar_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "SOURCES;HEADERS;LINKS;PUBLIC_LINKS")
  add_library(${name} STATIC ${layer_SOURCES})
  vivar_headers(headers ${layer_HEADERS})
  vivar_layer_headers(${name} ${headers})
  target_link_libraries(${name} PUBLIC ${layer_PUBLIC_LINKS} PRIVATE ${layer_LINKS} vivar_warnings)
endfunction()

# The headers of the project's folders, relative to the project, as the
# code includes them.
function(vivar_headers variable)
  set(headers "")
  foreach(pattern ${ARGN})
    file(GLOB found RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${pattern})
    list(APPEND headers ${found})
  endforeach()
  set(${variable} ${headers} PARENT_SCOPE)
endfunction()
