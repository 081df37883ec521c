# Included at the end of the top-level set-up, once the programs' targets exist.
# The guide's pictures are taken from the programs just built (scripts/guide-shots.sh), so they show the
# dialogs as they are; they are build output only, and a page whose picture is missing still reads fine.
option(BRINDLE_GUIDE_SHOTS "Offer the guide_shots target, which takes the guide's pictures" ON)
if(BRINDLE_GUIDE_SHOTS)
  if(TARGET brindle)
    set(pickwell_program "")
    if(TARGET pickwell)
      set(pickwell_program "$<TARGET_FILE:pickwell>")
    endif()
    add_custom_target(guide_shots
      COMMAND ${CMAKE_COMMAND} -E env "BRINDLE_EDITOR=$<TARGET_FILE:brindle>" "BRINDLE_PICKWELL=${pickwell_program}"
              "${CMAKE_SOURCE_DIR}/scripts/guide-shots.sh" "${BRINDLE_GUIDE_BUILD_DIR}/shots"
      COMMENT "Taking the guide's pictures"
      VERBATIM)
    add_dependencies(guide_shots brindle brindle_guide)
    if(TARGET pickwell)
      add_dependencies(guide_shots pickwell)
    endif()
  else()
    add_custom_target(guide_shots
      COMMAND ${CMAKE_COMMAND} -E echo "The editor is not built (BRINDLE_GUI is off): no pictures for the guide"
      VERBATIM)
  endif()
endif()
