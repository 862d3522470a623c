# Wraps a JSON file as a script that assigns it to a global variable, so a page
# can load it like any other script. Run with
#   cmake -DINPUT=in.json -DOUTPUT=out.js -DVARIABLE=NAME -P WrapAsScript.cmake
file(READ ${INPUT} content)
file(WRITE ${OUTPUT} "var ${VARIABLE} = ${content};\n")
