# Turns one user guide from Markdown into an HTML page that reads without
# a Markdown viewer, where it is installed:
#   cmake -DCMARK=cmark-gfm -DIN=guide.md -DOUT=guide.html -DLANGUAGE=en
#         -DHOMEPAGE=https://... -P markdown_page.cmake
# Headings get the anchors GitHub gives them, so that a guide's links to its
# own sections work in both places. The two guides link to each other's
# page; links to the developers' notes, which are not installed, go to the
# project's home page.

execute_process(COMMAND ${CMARK} --extension table ${IN}
                OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CMARK} failed on ${IN}")
endif()

# GitHub's anchor for a heading: its text lower-cased, punctuation dropped,
# spaces made hyphens. Letters beyond ASCII stay as they are.
function(anchor_of text out)
  string(REGEX REPLACE "<[^>]*>" "" text "${text}")
  string(REGEX REPLACE "&[a-z]+;|&#[0-9]+;" "" text "${text}")
  foreach(mark "¿" "¡" "…" "—" "–" "·" "«" "»" "“" "”" "‘" "’")
    string(REPLACE "${mark}" "" text "${text}")
  endforeach()
  string(TOLOWER "${text}" text)
  string(REGEX REPLACE "[][!\"#$%&'()*+,./:;<=>?@\\^`{|}~]" "" text "${text}")
  string(REPLACE " " "-" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(page "")
set(title "")
while(body MATCHES "<h([1-6])>(.*)")
  string(FIND "${body}" "<h${CMAKE_MATCH_1}>" start)
  string(SUBSTRING "${body}" 0 ${start} before)
  string(APPEND page "${before}")
  set(level ${CMAKE_MATCH_1})
  math(EXPR skip "${start} + 4")
  string(SUBSTRING "${body}" ${skip} -1 body)
  string(FIND "${body}" "</h${level}>" end)
  string(SUBSTRING "${body}" 0 ${end} heading)
  anchor_of("${heading}" anchor)
  if(title STREQUAL "")
    string(REGEX REPLACE "<[^>]*>" "" title "${heading}")
  endif()
  string(APPEND page "<h${level} id=\"${anchor}\">${heading}")
  string(SUBSTRING "${body}" ${end} -1 body)
endwhile()
string(APPEND page "${body}")

string(REGEX REPLACE "href=\"(guide|guia)\\.md" "href=\"\\1.html" page "${page}")
string(REGEX REPLACE "href=\"([a-z0-9_-]+\\.md)" "href=\"${HOMEPAGE}/blob/main/docs/\\1" page "${page}")

file(WRITE ${OUT} "<!DOCTYPE html>
<html lang=\"${LANGUAGE}\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<style>
body { max-width: 52em; margin: 1em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.45; }
img { max-width: 100%; height: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }
code, pre { background: #eee; }
pre { padding: 0.5em; overflow-x: auto; }
</style>
</head>
<body>
${page}</body>
</html>
")
