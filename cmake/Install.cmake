# What `cmake --install` puts under the prefix: the programs, and the drawing
# library for other programs: static libraries libtintwright-PART.a, the
# public headers under include/tintwright/ in their source folders (included
# as <tintwright/document/JwwUnit.h>, as they include one another), the CMake package
# Tintwright with the target Tintwright::tintwright, and tintwright.pc.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The library's parts, each built on the ones before it.
set(tw_library_parts util attributes document jww dxf render)
set(tw_public_headers
    util/Func_2.h util/ReplaceableFile.h
    attributes/UnitGraAtt.h
    document/JwwUnit.h document/EntityArgs.h document/RefTable.h document/jwwtype.h document/SaveReport.h
    document/Counted.h document/EntityKinds.h document/EntityView.h document/BindImageFiles.h
    document/ImageIndex.h
    document/DefinitionIndex.h document/Transform.h document/BlockExpansion.h
    document/DrawingRules.h document/OutputRules.h document/Geometry.h document/Extents.h document/LayerUsage.h
    jww/Versions.h
    dxf/DxfExport.h
    render/Backend.h render/Primitives.h render/Frontend.h render/SvgBackend.h render/Visibility.h
    render/ViewIndex.h)
set(tw_include_dir ${CMAKE_INSTALL_INCLUDEDIR}/tintwright)
set(tw_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Tintwright)

set(tw_library_targets)
set(tw_pkgconfig_libs)
foreach(part IN LISTS tw_library_parts)
  set_target_properties(tw_${part} PROPERTIES OUTPUT_NAME tintwright-${part} EXPORT_NAME ${part})
  list(APPEND tw_library_targets tw_${part})
  # A static library comes before the ones it uses on a link line.
  list(PREPEND tw_pkgconfig_libs -ltintwright-${part})
endforeach()
list(JOIN tw_pkgconfig_libs " " tw_pkgconfig_libs)

# Tintwright::tintwright: the whole library, for consumers and the examples.
add_library(tw_library INTERFACE)
set_target_properties(tw_library PROPERTIES EXPORT_NAME tintwright)
target_link_libraries(tw_library INTERFACE tw_jww tw_dxf tw_render)
target_compile_features(tw_library INTERFACE cxx_std_20)

install(TARGETS ${tw_library_targets} tw_library EXPORT TintwrightTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
foreach(header IN LISTS tw_public_headers)
  cmake_path(GET header PARENT_PATH folder)
  install(FILES ${header} DESTINATION ${tw_include_dir}/${folder})
endforeach()

install(EXPORT TintwrightTargets NAMESPACE Tintwright:: DESTINATION ${tw_package_dir})
configure_package_config_file(cmake/TintwrightConfig.cmake.in TintwrightConfig.cmake
                              INSTALL_DESTINATION ${tw_package_dir})
# Before 1.0 a new minor version may change the interface.
write_basic_package_version_file(TintwrightConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TintwrightConfig.cmake
              ${PROJECT_BINARY_DIR}/TintwrightConfigVersion.cmake
        DESTINATION ${tw_package_dir})

# The .pc file finds the prefix from its own place, so that it stays right
# for whatever prefix the installation is given.
file(RELATIVE_PATH tw_pkgconfig_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" tw_pkgconfig_prefix "${tw_pkgconfig_prefix}")
configure_file(cmake/tintwright.pc.in tintwright.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tintwright.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

foreach(program tintwright tintwright-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
