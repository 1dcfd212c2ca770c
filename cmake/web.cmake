# The browser build (emcmake cmake): Emscripten's GLUT, GL and GLU, and the
# page made of the program, the project's page template and JavaScript
# libraries in src/platform/web, freeglut's font and the texture.

# Files, folders and standard input work as on Linux (Emscripten's in-memory
# file system; the page feeds standard input).
set(CGDEMO_SHARED_PLATFORM_SOURCES ${PROJECT_SOURCE_DIR}/src/platform/path_exists_linux.cpp
    ${PROJECT_SOURCE_DIR}/src/platform/regular_file_linux.cpp
    ${PROJECT_SOURCE_DIR}/src/platform/read_line_linux.cpp)

set(CGDEMO_WEB_FONT "" CACHE FILEPATH
    "freeglut's Helvetica 18 as a JavaScript library (tools/web-font.sh makes it)")
if(NOT EXISTS "${CGDEMO_WEB_FONT}")
    message(FATAL_ERROR "CGDEMO_WEB_FONT: no font library '${CGDEMO_WEB_FONT}': run tools/web-font.sh")
endif()

add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE -lGL -sLEGACY_GL_EMULATION=1)
add_library(OpenGL::GLU INTERFACE IMPORTED)
target_link_options(OpenGL::GLU INTERFACE -lGLU)
add_library(cgdemo_web_glut INTERFACE)
target_link_options(cgdemo_web_glut INTERFACE -lglut)
set(CGDEMO_SYSTEM_LIBRARIES cgdemo_web_glut)

# The page in two forms, two links of main with the one cgdemo_core: for a web
# server, index.html with cgdemo.js, cgdemo.wasm and japan.bmp in the build
# folder; and single-file/cgdemo.html, the program, its WebAssembly and the
# texture in one page that also opens as a file.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(cgdemoWebPage target)
    set(web ${PROJECT_SOURCE_DIR}/src/platform/web)
    set(libraries ${web}/page_web.js ${web}/gl_emulation_web.js ${CGDEMO_WEB_FONT})
    get_target_property(sources ${target} SOURCES)
    get_target_property(options ${target} COMPILE_OPTIONS)
    set(single ${target}_single_file)
    add_executable(${single} ${sources})
    target_compile_options(${single} PRIVATE ${options})
    target_link_libraries(${single} PRIVATE cgdemo_core)
    set_target_properties(${single} PROPERTIES OUTPUT_NAME ${target}
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/single-file)
    target_link_options(${single} PRIVATE -sSINGLE_FILE=1)
    foreach(page ${target} ${single})
        set_target_properties(${page} PROPERTIES SUFFIX ".html"
            LINK_DEPENDS "${web}/index.html;${libraries};${PROJECT_SOURCE_DIR}/assets/japan.bmp")
        target_link_options(${page} PRIVATE "SHELL:--shell-file ${web}/index.html" -sMINIFY_HTML=0
            -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
            "-sEXPORTED_RUNTIME_METHODS=[FS,addRunDependency,removeRunDependency]")
        foreach(library ${libraries})
            target_link_options(${page} PRIVATE "SHELL:--js-library ${library}")
        endforeach()
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${CMAKE_BINARY_DIR}/index.html
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/assets/japan.bmp
                ${CMAKE_BINARY_DIR}/japan.bmp)
    add_custom_command(TARGET ${single} POST_BUILD
        COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/web_single_file.py
                $<TARGET_FILE:${single}> ${PROJECT_SOURCE_DIR}/assets/japan.bmp)
endfunction()
