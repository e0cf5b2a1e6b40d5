# Run by CPack on the staged files before it packs them: Debian's rules for
# what "cmake --install" leaves as it is. Manual pages are compressed, and
# the CUPS backend's mode (0700, so that CUPS runs it as root) is declared
# meant to lintian.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_DIRECTORY}/usr/share/man/*.[1-9]")
foreach(page ${pages})
  execute_process(COMMAND gzip -9n "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(WRITE "${CPACK_TEMPORARY_DIRECTORY}/usr/share/lintian/overrides/vellora"
     "vellora: executable-is-not-world-readable 0700 [usr/lib/cups/backend/vellora]\n"
     "vellora: non-standard-executable-perm 0700 != 0755 [usr/lib/cups/backend/vellora]\n")
