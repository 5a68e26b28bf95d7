# The protections Debian builds its packages with (dpkg-buildflags), so the package we make is as
# hardened as one a distribution builds. Only optimised builds: fortified libc calls need the
# optimiser, and the sanitizer preset (Debug) checks more than these do.
set(optimised $<NOT:$<CONFIG:Debug>>)
add_compile_options($<${optimised}:-fstack-protector-strong>)
add_compile_definitions($<${optimised}:_FORTIFY_SOURCE=2>)
add_link_options($<${optimised}:LINKER:-z,relro> $<${optimised}:LINKER:-z,now>)
unset(optimised)
