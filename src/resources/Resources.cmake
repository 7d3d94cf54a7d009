# SPDX-License-Identifier: GPL-3.0-or-later
# Artwork is kept as hand-written SVG and rendered at build time; the translation catalogues are
# compiled from the .ts files. Both are then packed with rcc, like the static resources.

# Included from src/CMakeLists.txt: generated sources must be made in the scope of the target using them.
set(RES_DIR ${CMAKE_CURRENT_SOURCE_DIR}/resources)
set(ART_DIR ${RES_DIR}/art)
set(OUT_DIR ${CMAKE_CURRENT_BINARY_DIR}/resources)

add_executable(kestrova-render-art ${ART_DIR}/RenderArt.cpp)
target_link_libraries(kestrova-render-art PRIVATE Qt5::Gui Qt5::Svg)

# folder under art/ → (resource prefix, pixel size, output suffix)
set(ART_SETS
    "Icon_16x16|/Icon/Images/Icon_16x16|16|png"
    "Icon_32x32|/Icon/Images/Icon_32x32|32|png"
    "ButtonPic|/Picture/Images/ButtonPic|64|png"
    "Logo|/Logo/Logo|256|jpg")

set(IMAGE_OUTPUTS)
set(QRC_BODY "<RCC>\n")
foreach(set_spec IN LISTS ART_SETS)
    string(REPLACE "|" ";" parts "${set_spec}")
    list(GET parts 0 folder)
    list(GET parts 1 prefix)
    list(GET parts 2 size)
    list(GET parts 3 suffix)
    file(GLOB svgs CONFIGURE_DEPENDS ${ART_DIR}/${folder}/*.svg)
    string(APPEND QRC_BODY "    <qresource prefix=\"${prefix}\">\n")
    foreach(svg IN LISTS svgs)
        get_filename_component(name ${svg} NAME_WE)
        set(out ${OUT_DIR}/art/${folder}/${name}.${suffix})
        # Ninja makes an output's folder itself; Makefiles do not.
        add_custom_command(OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${OUT_DIR}/art/${folder}
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                    $<TARGET_FILE:kestrova-render-art> ${svg} ${out} ${size}
            DEPENDS ${svg} kestrova-render-art
            COMMENT "Rendering ${folder}/${name}.${suffix}"
            VERBATIM)
        list(APPEND IMAGE_OUTPUTS ${out})
        string(APPEND QRC_BODY "        <file alias=\"${name}.${suffix}\">art/${folder}/${name}.${suffix}</file>\n")
    endforeach()
    string(APPEND QRC_BODY "    </qresource>\n")
endforeach()
string(APPEND QRC_BODY "</RCC>\n")
file(CONFIGURE OUTPUT ${OUT_DIR}/images.qrc CONTENT "${QRC_BODY}")

set(TS_FILES ${RES_DIR}/translations/en.ts ${RES_DIR}/translations/cn.ts)
set(QM_OUTPUTS)
foreach(ts IN LISTS TS_FILES)
    get_filename_component(name ${ts} NAME_WE)
    set(qm ${OUT_DIR}/Language/${name}.qm)
    add_custom_command(OUTPUT ${qm}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${OUT_DIR}/Language
        COMMAND Qt5::lrelease -silent ${ts} -qm ${qm}
        DEPENDS ${ts}
        VERBATIM)
    list(APPEND QM_OUTPUTS ${qm})
endforeach()
file(CONFIGURE OUTPUT ${OUT_DIR}/translations.qrc CONTENT
"<RCC>
    <qresource prefix=\"/Language\">
        <file alias=\"en.qm\">Language/en.qm</file>
        <file alias=\"cn.qm\">Language/cn.qm</file>
    </qresource>
</RCC>
")

function(kestrova_rcc name qrc)
    set(cpp ${OUT_DIR}/qrc_${name}.cpp)
    add_custom_command(OUTPUT ${cpp}
        COMMAND Qt5::rcc --name ${name} --output ${cpp} ${qrc}
        DEPENDS ${qrc} ${ARGN}
        VERBATIM)
    set(KESTROVA_RESOURCE_SOURCES ${KESTROVA_RESOURCE_SOURCES} ${cpp} PARENT_SCOPE)
endfunction()

set(KESTROVA_RESOURCE_SOURCES)
file(GLOB_RECURSE STATIC_RESOURCE_FILES CONFIGURE_DEPENDS ${RES_DIR}/Qss/* ${RES_DIR}/qt/*)
kestrova_rcc(kestrova ${RES_DIR}/kestrova.qrc ${STATIC_RESOURCE_FILES})
kestrova_rcc(images ${OUT_DIR}/images.qrc ${IMAGE_OUTPUTS})
kestrova_rcc(translations ${OUT_DIR}/translations.qrc ${QM_OUTPUTS})

add_custom_target(kestrova_resources DEPENDS ${IMAGE_OUTPUTS} ${QM_OUTPUTS})

# Keeps the catalogues in step with the tr() texts of the sources; see scripts/update-translations.
add_custom_target(update_translations
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/update-translations
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    VERBATIM)
