# Copies the run-time files beside the executable: data/ as it is, and the
# fonts from fonts/ into the folder's root, where the demo opens them.
# Files that are not there yet are skipped; the demo reports them when it runs.
if(EXISTS ${SOURCE_DIR}/data)
  file(COPY ${SOURCE_DIR}/data DESTINATION ${DEMO_DIR})
endif()
file(GLOB fonts ${SOURCE_DIR}/fonts/*.ttf)
if(fonts)
  file(COPY ${fonts} DESTINATION ${DEMO_DIR})
endif()
