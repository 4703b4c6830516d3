# The installed program's folder on Windows: the program and everything it loads beside it, Qt's
# libraries, the platform and style plugins, Qt's Chinese translations for the standard buttons and
# the MinGW runtime. windeployqt cannot look into a cross build, so they are named here.
# scripts/package-windows makes the installer and the portable archive of this folder.
foreach(library Core Gui Widgets PrintSupport)
    install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION plugins/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION plugins/styles)

# The host's translations are of the very version of this Qt; the Windows build has none of its own.
set(VELMORA_QT_TRANSLATIONS /usr/share/qt6/translations
    CACHE PATH "Qt's translations, of the version of the Qt the program is built with")
install(FILES ${VELMORA_QT_TRANSLATIONS}/qtbase_zh_CN.qm DESTINATION translations)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/windows/qt.conf DESTINATION .)

foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${runtime_path}")
        message(FATAL_ERROR "The compiler does not know where ${runtime} is")
    endif()
    install(FILES ${runtime_path} DESTINATION .)
endforeach()
