# Copies the template server's content into the build, writing the configured hosts into the
# text files. Runs as `cmake -P` so that the GBK bytes pass through untouched: file(READ) and
# string(REPLACE) work on bytes, while configure_file would drop CR from CR LF line ends.
#
# Expects SOURCE_DIR, OUTPUT_DIR, TEMPLATE_HOST, IMAGE_HOST and FILES (paths relative to
# SOURCE_DIR, separated by '|').

# Without it the old @VAR@ expansion in plain arguments would turn the patterns into the hosts.
cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE_DIR OUTPUT_DIR TEMPLATE_HOST IMAGE_HOST FILES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "stamp_hosts: ${var} is not set")
  endif()
endforeach()

string(REPLACE "|" ";" files "${FILES}")
foreach(file IN LISTS files)
  set(from "${SOURCE_DIR}/${file}")
  set(to "${OUTPUT_DIR}/${file}")
  get_filename_component(to_dir "${to}" DIRECTORY)
  file(MAKE_DIRECTORY "${to_dir}")
  if(file MATCHES "\\.(txt|css|html)$")
    file(READ "${from}" content)
    string(REPLACE "@TEMPLATE_HOST@" "${TEMPLATE_HOST}" content "${content}")
    string(REPLACE "@IMAGE_HOST@" "${IMAGE_HOST}" content "${content}")
    file(WRITE "${to}" "${content}")
  else()
    file(COPY_FILE "${from}" "${to}")
    # A copy may keep the source's time; the build needs the output newer than its inputs.
    file(TOUCH_NOCREATE "${to}")
  endif()
endforeach()
