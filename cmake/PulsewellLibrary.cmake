# How every library of the program is built, in one place:
#
#   pulsewell_library(NAME SOURCES file... [PUBLIC target...] [PRIVATE target...]
#                     [PRECOMPILE header... | PRECOMPILE_FROM library] [HOT])
#
# One include root for all of them, src/ (and the generated headers beside it),
# so that every include names the folder it reaches into. Files are compiled a
# batch at a time: each file's Qt headers are parsed once per batch, a third
# less compile time in every tree. PRECOMPILE parses the Qt headers most files
# include once per library; PRECOMPILE_FROM shares another library's, which
# must be built with the same flags. HOT marks the code the tests spend their
# time in: under the sanitizers it keeps -O1, where the rest compiles at -O0
# (a walk of 100,000 table rows takes twice as long at -O0).
function(pulsewell_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "HOT" "PRECOMPILE_FROM" "SOURCES;PUBLIC;PRIVATE;PRECOMPILE")
    add_library(${name} STATIC ${arg_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src
                                              ${PROJECT_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
    if(arg_HOT AND PULSEWELL_SANITIZE)
        target_compile_options(${name} PRIVATE -O1)
    endif()
    if(arg_PRECOMPILE)
        target_precompile_headers(${name} PRIVATE ${arg_PRECOMPILE})
    elseif(arg_PRECOMPILE_FROM)
        target_precompile_headers(${name} REUSE_FROM ${arg_PRECOMPILE_FROM})
    endif()
endfunction()

# The program's version for the code, as a header: only the files that show
# it are compiled again when it changes.
configure_file(${CMAKE_CURRENT_LIST_DIR}/ProgramVersion.h.in
               ${PROJECT_BINARY_DIR}/generated/core/ProgramVersion.h @ONLY)
