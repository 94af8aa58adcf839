# The COM server end to end, in a fresh Wine prefix: machine-wide regsvr32
# from a path with a space, creation by ProgID, a whole session in one
# process, the registration data read back in a second, the per-user
# DllInstall, and regsvr32 /u removing every key; under 64-bit Wine, the
# session once more with the journal on, replayed clean by kassivo.exe.
add_executable(com_end_to_end
  ${CMAKE_CURRENT_SOURCE_DIR}/com_end_to_end.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/com_client.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/com_session.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/com_per_user.cpp)
target_include_directories(com_end_to_end PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_options(com_end_to_end PRIVATE ${KASSIVO_WARNINGS})
target_link_options(com_end_to_end PRIVATE -municode)
target_link_libraries(com_end_to_end PRIVATE ole32 oleaut32 uuid advapi32)
add_test(NAME com_end_to_end
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/com_end_to_end.sh
    $<TARGET_FILE:FPKassivo> $<TARGET_FILE:com_end_to_end> $<TARGET_FILE:kassivo>)
# A 32-bit Wine process takes one to four minutes to start on an emulated
# i386. Without 32-bit Wine, or where its first process does not answer, the
# script exits 77: skipped, with the reason.
set_tests_properties(com_end_to_end PROPERTIES TIMEOUT 1800 SKIP_RETURN_CODE 77)

# The DLLs' images, checked without Wine: the architecture, the exports,
# and nothing of a mingw runtime among their imports.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(KASSIVO_PE_FORMAT pei-i386)
else()
  set(KASSIVO_PE_FORMAT pei-x86-64)
endif()
add_test(NAME dll_image
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/dll_image.sh
    ${CMAKE_OBJDUMP} $<TARGET_FILE:FPKassivo> ${KASSIVO_PE_FORMAT}
    DllCanUnloadNow DllGetClassObject DllInstall DllRegisterServer DllUnregisterServer)
add_test(NAME addin_dll_image
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/dll_image.sh
    ${CMAKE_OBJDUMP} $<TARGET_FILE:KassivoAddIn> ${KASSIVO_PE_FORMAT}
    GetClassNames GetClassObject DestroyObject SetPlatformCapabilities GetAttachType)
