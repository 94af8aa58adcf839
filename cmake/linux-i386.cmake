# Cross-compiling the 32-bit Linux add-in library with Debian's i686 cross
# compiler, against the i386 architecture's ICU and pugixml (multiarch).
# Its test programs run through qemu's i386 user-mode emulator: these
# machines' kernels do not run 32-bit programs by themselves.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/qemu-i386-static)
