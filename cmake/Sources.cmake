# Which file goes into which library. One library per folder, each linking only
# the ones below it (app -> frame -> widgets -> platform, app -> engine ->
# platform), so a call upwards fails to link. Portable logic is compiled
# everywhere and tested on the host; *_win.cpp files bind it to Win32.

set(TAVRIK_PLATFORM_SOURCES
  platform/Platform.cpp
  platform/LineText.cpp
  platform/Unicode.cpp
  platform/SystemPath.cpp
  platform/ui/CommandLine.cpp
  platform/ui/Twips.cpp
  platform/ui/PropertyBag.cpp
)
set(TAVRIK_PLATFORM_WIN32_SOURCES
  platform/Win32Platform_win.cpp
  platform/ui/App_win.cpp
  platform/ui/Controls_win.cpp
  platform/ui/Form_win.cpp
  platform/ui/Subclass_win.cpp
)

# The simulated machine: what host tests, and Win32 tests that must not change
# the machine they run on, put in place of the real platform.
set(TAVRIK_SIM_SOURCES
  platform/SimDosDevices.cpp
  platform/SimFileSystem.cpp
  platform/SimPlatform.cpp
  platform/SimText.cpp
)

set(TAVRIK_ENGINE_SOURCES
  engine/TextUtil.cpp
  engine/mod_Subst.cpp
  engine/mod_DriveInfo.cpp
  engine/modFiles.cpp
  engine/modLists.cpp
)

set(TAVRIK_WIDGETS_SOURCES
  widgets/clsTimer.cpp
  widgets/ControlButton.cpp
  widgets/LabelMenu.cpp
  widgets/XPButton.cpp
)
set(TAVRIK_WIDGETS_WIN32_SOURCES
  widgets/ControlButton_win.cpp
  widgets/LabelMenu_win.cpp
  widgets/XPButton_win.cpp
)

set(TAVRIK_FRAME_SOURCES
  frame/FrameLayout.cpp
  frame/FrameRegion.cpp
  frame/FrameThemes.cpp
  frame/TamselXPForm.cpp
)
set(TAVRIK_FRAME_WIN32_SOURCES
  frame/FormAsFrameHost_win.cpp
  frame/TamselXPForm_win.cpp
)

set(TAVRIK_APP_SOURCES
  app/modMain.cpp
  app/modBrowse.cpp
  app/HelpText.cpp
)
# The windows and the two external controls. The windows are written against
# the toolkit and hold no Win32 code themselves, but need it to run.
set(TAVRIK_APP_WIN32_SOURCES
  app/StyleXP_win.cpp
  app/ctxHookMenu_win.cpp
  app/frmMount.cpp
  app/frmSplash.cpp
  app/frmHelp.cpp
  app/frmStartLoad.cpp
)

set(TAVRIK_EXE_SOURCES
  app/WinMain_win.cpp
  app/Tavrik.rc
)
