# Which file goes into which build. Portable logic is compiled everywhere and
# tested on the host; *_win.cpp files bind it to Win32.

set(TAVRIK_CORE_SOURCES
  platform/Platform.cpp
  platform/LineText.cpp
  engine/TextUtil.cpp
  engine/mod_Subst.cpp
  engine/mod_DriveInfo.cpp
  engine/modFiles.cpp
  engine/modLists.cpp
  app/modMain.cpp
  app/modBrowse.cpp
  app/HelpText.cpp
  platform/ui/CommandLine.cpp
  platform/ui/Twips.cpp
  platform/ui/PropertyBag.cpp
  widgets/clsTimer.cpp
  frame/FrameLayout.cpp
  frame/FrameRegion.cpp
  frame/FrameThemes.cpp
  frame/TamselXPForm.cpp
  widgets/ControlButton.cpp
  widgets/LabelMenu.cpp
  widgets/XPButton.cpp
)

set(TAVRIK_SIM_SOURCES
  platform/SimDosDevices.cpp
  platform/SimFileSystem.cpp
  platform/SimPlatform.cpp
)

set(TAVRIK_HOST_SOURCES
  platform/PlatformDefault_host.cpp
)

set(TAVRIK_WIN32_SOURCES
  platform/Win32Platform_win.cpp
  platform/ui/App_win.cpp
  platform/ui/Controls_win.cpp
  platform/ui/Form_win.cpp
  widgets/ControlButton_win.cpp
  widgets/LabelMenu_win.cpp
  widgets/XPButton_win.cpp
  frame/FormAsFrameHost_win.cpp
  frame/TamselXPForm_win.cpp
)

# The windows and the two external controls. The windows are written against
# the toolkit and hold no Win32 code themselves, but need it to run.
set(TAVRIK_WINDOWS_SOURCES
  app/StyleXP_win.cpp
  app/ctxHookMenu_win.cpp
  app/frmMount.cpp
  app/frmSplash.cpp
  app/frmHelp.cpp
  app/frmStartLoad.cpp
)

set(TAVRIK_APP_WIN32_SOURCES
  app/WinMain_win.cpp
  app/Tavrik.rc
)
