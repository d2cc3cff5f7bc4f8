# Builds the Debian package from this build, unpacks it into a scratch root as dpkg would
# install it, and runs the installed zendra-cli on the installed sample courseware. Also
# checks the package's dependencies and validates its desktop entry and metadata.
# Run with -DBINARY_DIR=<build folder> -DSCRATCH=<empty folder>.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/out ${SCRATCH}/root)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(cpack -G DEB --config ${BINARY_DIR}/CPackConfig.cmake -B ${SCRATCH}/out)
file(GLOB debs ${SCRATCH}/out/zendra_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one zendra_*.deb in ${SCRATCH}/out, found: ${debs}")
endif()

run(dpkg-deb -f ${debs} Depends)
foreach(needed libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins fonts-ipafont-mincho
               qt6-translations-l10n)
  if(NOT out MATCHES "${needed}")
    message(FATAL_ERROR "the package does not depend on ${needed}: ${out}")
  endif()
endforeach()

run(dpkg -x ${debs} ${SCRATCH}/root)
set(root ${SCRATCH}/root/usr)
foreach(path bin/zendra bin/zendra-cli bin/zendra-start share/zendra/courseware/Main.ind
             share/zendra/help/900.htm share/applications/org.zendra.Zendra.desktop
             share/icons/hicolor/scalable/apps/org.zendra.Zendra.svg
             share/metainfo/org.zendra.Zendra.metainfo.xml)
  if(NOT EXISTS ${root}/${path})
    message(FATAL_ERROR "the package lacks ${path}")
  endif()
endforeach()

run(${root}/bin/zendra-cli check ${root}/share/zendra/courseware)
if(NOT out MATCHES " 0 problems")
  message(FATAL_ERROR "check of the installed sample: ${out}")
endif()

run(desktop-file-validate ${root}/share/applications/org.zendra.Zendra.desktop)
run(appstreamcli validate --no-net --pedantic ${root}/share/metainfo/org.zendra.Zendra.metainfo.xml)
message(STATUS "package ${debs} installs and checks its sample")
