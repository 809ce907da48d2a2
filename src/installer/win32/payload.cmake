# Writes the resource script that puts the diary program inside Namestko,
# with the program's SHA-256 as it is now, when Namestko is built.
# Usage: cmake -DPROGRAM=<Pisarion.exe> -DOUT=<payload.rc> -P payload.cmake
file(SHA256 "${PROGRAM}" digest)
file(WRITE "${OUT}" "// Written by payload.cmake when Namestko is built; do not edit.\n"
                    "PISARION RCDATA \"${PROGRAM}\"\n"
                    "PISARION_SHA256 RCDATA { \"${digest}\" }\n")
