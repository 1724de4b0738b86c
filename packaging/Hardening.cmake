# The distribution's hardening flags for release builds, the ones its own packages are built
# with: on Debian, dpkg-buildflags with every hardening feature (_FORTIFY_SOURCE, the strong
# stack protector, format checks, relro with immediate binding); every program is
# position-independent. Debug, sanitizer and fuzzing builds keep their own flags, which
# _FORTIFY_SOURCE and the stack protector would only blur.
option(VESKO3_HARDEN "Build release configurations with the distribution's hardening flags" ON)

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

find_program(VESKO3_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT VESKO3_HARDEN OR VESKO3_SANITIZE OR VESKO3_FUZZ OR NOT VESKO3_DPKG_BUILDFLAGS)
    return()
endif()

# Only the hardening flags are taken: the optimisation and the debugging information stay
# the build type's.
function(vesko3_hardening_flags kind out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${VESKO3_DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
    set(kept "")
    if(status EQUAL 0)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        foreach(flag IN LISTS flags)
            if(flag MATCHES "^-D_FORTIFY_SOURCE=|^-fstack-protector|^-fstack-clash-protection|^-fcf-protection|^-Wformat|^-Werror=format-security|^-Wl,-z,")
                list(APPEND kept ${flag})
            endif()
        endforeach()
    endif()
    set(${out} ${kept} PARENT_SCOPE)
endfunction()

vesko3_hardening_flags(CPPFLAGS hardenPreprocessor)
vesko3_hardening_flags(CXXFLAGS hardenCompile)
vesko3_hardening_flags(LDFLAGS hardenLink)
set(release "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
target_compile_options(vesko3_options INTERFACE "$<${release}:${hardenPreprocessor};${hardenCompile}>")
target_link_options(vesko3_options INTERFACE "$<${release}:${hardenLink}>")
message(STATUS "Hardening for release builds: ${hardenPreprocessor} ${hardenCompile} ${hardenLink}")
