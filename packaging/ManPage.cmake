# Writes a Polish manual page (section 1) from a program's own --help, so the
# page says what the program says. Run with cmake -P and:
#   PROGRAM   the built program
#   NAME      its installed name
#   VERSION   the project's version
#   COMMANDS  commands with help of their own ("generate;list save"), optional
#   FILES     "path=what" pairs for the PLIKI section, optional
#   SEE_ALSO  names of related pages, optional
#   OUTPUT    the page to write
# The first paragraph of the help ("name – what it does") becomes NAZWA, the
# rest OPIS as printed; a line "Strony pomocy: ..." names a path of this
# machine and is left out (FILES names the installed one).

# Text as troff shows it literally: backslashes, minus signs and lines that
# would read as requests are escaped.
function(troff_escape text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(program_help words out)
  execute_process(COMMAND ${PROGRAM} ${words} --help
    OUTPUT_VARIABLE help RESULT_VARIABLE result ENCODING UTF-8)
  if(NOT result EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} ${words} --help failed (${result})")
  endif()
  string(REGEX REPLACE "(^|\n)Strony pomocy: [^\n]*" "" help "${help}")
  string(REGEX REPLACE "\n+$" "" help "${help}")
  set(${out} "${help}" PARENT_SCOPE)
endfunction()

function(preformatted text out)
  troff_escape("${text}" text)
  set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

foreach(required PROGRAM NAME VERSION OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "ManPage.cmake needs -D${required}=...")
  endif()
endforeach()

program_help("" help)
string(FIND "${help}" "\n\n" split)
string(SUBSTRING "${help}" 0 ${split} summary)
math(EXPR rest_start "${split} + 2")
string(SUBSTRING "${help}" ${rest_start} -1 description)
string(REPLACE "\n" " " summary "${summary}")
string(REGEX REPLACE "^[^ ]+ – " "" summary "${summary}")
troff_escape("${NAME}" name)
troff_escape("${summary}" summary)
string(TOUPPER "${name}" title)

set(page ".TH ${title} 1 \"\" \"${name} ${VERSION}\" \"Polecenia użytkownika\"\n")
string(APPEND page ".SH NAZWA\n${name} \\- ${summary}\n")
preformatted("${description}" body)
string(APPEND page ".SH OPIS\n${body}")

if(COMMANDS)
  string(APPEND page ".SH POLECENIA\n")
  foreach(command IN LISTS COMMANDS)
    separate_arguments(words UNIX_COMMAND "${command}")
    program_help("${words}" command_help)
    troff_escape("${NAME} ${command}" heading)
    preformatted("${command_help}" body)
    string(APPEND page ".SS \"${heading}\"\n${body}")
  endforeach()
endif()

if(FILES)
  string(APPEND page ".SH PLIKI\n")
  foreach(entry IN LISTS FILES)
    string(REGEX MATCH "^([^=]*)=(.*)$" matched "${entry}")
    troff_escape("${CMAKE_MATCH_1}" path)
    troff_escape("${CMAKE_MATCH_2}" what)
    string(APPEND page ".TP\n.I ${path}\n${what}\n")
  endforeach()
endif()

if(SEE_ALSO)
  string(APPEND page ".SH ZOBACZ TAKŻE\n")
  set(separator "")
  foreach(other IN LISTS SEE_ALSO)
    troff_escape("${other}" other)
    string(APPEND page "${separator}.BR ${other} (1)")
    set(separator ",\n")
  endforeach()
  string(APPEND page "\n")
endif()

file(WRITE ${OUTPUT} "${page}")
