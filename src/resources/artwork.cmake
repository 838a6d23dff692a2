# Our own artwork, drawn at build time with ImageMagick so that no binary picture is committed.
# The PNG files leave out metadata and time chunks, so every build writes the same bytes.
find_program(KOVA_CONVERT convert REQUIRED)
set(png_flags -strip -define png:exclude-chunks=date,time)

# Application icon: a person and radar waves, drawn large and scaled to 48, 32 and 16 pixels.
add_custom_command(OUTPUT ${generated_dir}/kova_tool.ico
  COMMAND ${KOVA_CONVERT} -size 192x192 xc:none
          -fill "#1F5F99" -stroke none -draw "roundrectangle 4,4 187,187 36,36"
          -fill white -draw "circle 62,50 62,70 roundrectangle 40,78 84,138 14,14"
          -stroke white -draw "stroke-linecap round stroke-width 16 line 52,134 50,166 line 72,134 74,166"
          -fill none
          -draw "stroke-linecap round stroke-linejoin round stroke-width 13 polyline 111,59 119,71 124,85 126,100 124,115 119,129 111,141 polyline 135,38 148,57 155,78 158,100 155,122 148,143 135,162"
          -define icon:auto-resize=48,32,16 -strip ${generated_dir}/kova_tool.ico
  COMMENT "Drawing the application icon"
  VERBATIM)

# Indicator pictures, 96 x 96 on transparent ground: a standing person for no one (grey) and
# for a motionless target (green), a running person with motion lines for a moving one.
set(standing_body "circle 48,17 48,27 roundrectangle 37,30 59,59 7,7")
set(standing_limbs "stroke-linecap round stroke-width 7 line 39,35 29,56 line 57,35 67,56 stroke-width 8 line 43,57 41,86 line 53,57 55,86")
set(running_body "circle 54,17 54,27 roundrectangle 42,30 62,57 7,7")
set(running_limbs "stroke-linecap round stroke-width 7 line 44,36 32,50 line 32,50 26,42 line 60,36 70,48 line 70,48 78,42 stroke-width 8 line 47,55 36,70 line 36,70 30,86 line 57,55 66,70 line 66,70 72,84")
set(motion_lines "stroke-linecap round stroke-width 4 line 6,34 22,34 line 2,46 20,46 line 6,58 22,58")

set(image_dir ${CMAKE_BINARY_DIR}/dist/Image)
function(kova_indicator_picture name colour body limbs)
  add_custom_command(OUTPUT ${image_dir}/${name}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${image_dir}
    COMMAND ${KOVA_CONVERT} -size 96x96 xc:none -fill ${colour} -stroke none -draw ${body}
            -stroke ${colour} -draw ${limbs} ${ARGN} ${png_flags} PNG32:${image_dir}/${name}.png
    COMMENT "Drawing Image/${name}.png"
    VERBATIM)
endfunction()
kova_indicator_picture(HumanNobody "#9C9C9C" "${standing_body}" "${standing_limbs}")
kova_indicator_picture(HumanMotionless "#2E9E4F" "${standing_body}" "${standing_limbs}")
kova_indicator_picture(HumanMotion "#E5531A" "${running_body}" "${running_limbs}" -draw "${motion_lines}")

add_custom_target(kova_images ALL
  DEPENDS ${image_dir}/HumanNobody.png ${image_dir}/HumanMotion.png ${image_dir}/HumanMotionless.png)
