# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSOURCE=<Driver folder> -DOUTPUT=<file> -P DefinitionsStamp.cmake
# Fingerprints the packaged definitions and pictures (not the start-up file, which stays the
# user's): the launcher refreshes a user's copy when the fingerprint it copied differs.
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
list(REMOVE_ITEM files Init.xml)
list(SORT files)
set(listing "")
foreach(file IN LISTS files)
    file(SHA256 ${SOURCE}/${file} digest)
    string(APPEND listing "${digest}  ${file}\n")
endforeach()
string(SHA256 fingerprint "${listing}")
file(WRITE ${OUTPUT}.tmp "${fingerprint}\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
