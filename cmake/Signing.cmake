# Authenticode signing of what the build ships: Tavrik.exe, the setup and the
# uninstaller inside it. A certificate and key are named by the environment
# when CMake configures the build:
#   TAVRIK_SIGN_CERT       the code-signing certificate, PEM, with its chain
#   TAVRIK_SIGN_KEY        its private key, PEM
#   TAVRIK_SIGN_TIMESTAMP  an RFC 3161 time-stamp server (optional)
# Without them the build is unsigned and says so once.
#   TAVRIK_SIGN_CA         the tests' own certificate authority, which every
#                          signature is then verified against (optional)
# Named once, they are kept for the build folder.
foreach(name CERT KEY TIMESTAMP CA)
  if(DEFINED ENV{TAVRIK_SIGN_${name}})
    set(TAVRIK_SIGN_${name} "$ENV{TAVRIK_SIGN_${name}}" CACHE STRING "" FORCE)
  else()
    set(TAVRIK_SIGN_${name} "" CACHE STRING "")
  endif()
endforeach()

set(TAVRIK_SIGNING OFF)
if(TAVRIK_SIGN_CERT AND TAVRIK_SIGN_KEY)
  find_program(TAVRIK_OSSLSIGNCODE osslsigncode)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  if(NOT TAVRIK_OSSLSIGNCODE)
    message(FATAL_ERROR "A certificate is named but osslsigncode is missing: install it (scripts/setup.sh)")
  endif()
  set(TAVRIK_SIGNING ON)
  set(TAVRIK_SIGN_STAMP "${TAVRIK_SIGN_TIMESTAMP}")
  if(NOT TAVRIK_SIGN_STAMP)
    set(TAVRIK_SIGN_STAMP "-")
  endif()
  # The command that signs one file in place, as a list and as one line.
  set(TAVRIK_SIGN_COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/sign.py ${TAVRIK_SIGN_CERT}
                          ${TAVRIK_SIGN_KEY} ${TAVRIK_SIGN_STAMP})
  message(STATUS "Signing with ${TAVRIK_SIGN_CERT}")
else()
  message(STATUS "Unsigned build: no certificate named (TAVRIK_SIGN_CERT and TAVRIK_SIGN_KEY)")
endif()
