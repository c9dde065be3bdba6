# Writes the help topic keyboard.html from the shortcut table, so the page
# lists exactly the keys the table holds.
#   cmake -DTABLE=<shortcuts.tsv> -DOUTPUT=<keyboard.html> -P KeyboardHelpPage.cmake
file(STRINGS ${TABLE} lines ENCODING UTF-8)
set(rows "")
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields count)
  if(NOT count EQUAL 3)
    message(FATAL_ERROR "${TABLE}: a line needs menu, item and keys: ${line}")
  endif()
  list(GET fields 0 menu)
  list(GET fields 1 item)
  list(GET fields 2 keys)
  foreach(var menu item keys)
    string(REPLACE "&" "&amp;" ${var} "${${var}}")
    string(REPLACE "<" "&lt;" ${var} "${${var}}")
    string(REPLACE ">" "&gt;" ${var} "${${var}}")
  endforeach()
  string(APPEND rows "<tr><td>${menu}</td><td>${item}</td><td><kbd>${keys}</kbd></td></tr>\n")
endforeach()
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head><meta charset=\"utf-8\"><title>Keyboard shortcuts</title></head>
<body>
<h1>Keyboard shortcuts</h1>
<p>The keys that choose menu commands. Keys of the drawing tools (Ctrl, Shift and Alt while
painting) are described with the tools.</p>
<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">
<tr><th>Menu</th><th>Command</th><th>Keys</th></tr>
${rows}</table>
<p><a href=\"index.html\">Contents</a></p>
</body>
</html>
")
