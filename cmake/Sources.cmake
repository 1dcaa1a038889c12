# Which file goes into which library. One library per folder, each linking only
# the ones below it (app -> frame -> widgets -> ui -> os, app -> engine -> os),
# so a call upwards fails to link. Portable logic is compiled
# everywhere and tested on the host; *_win.cpp files bind it to Win32.

set(TAVRIK_OS_SOURCES
  os/AccessRule.cpp
  os/System.cpp
  os/Text.cpp
  os/SystemPath.cpp
)
set(TAVRIK_OS_WIN32_SOURCES
  os/Win32System_win.cpp
  os/Win32Session_win.cpp
)

set(TAVRIK_UI_SOURCES
  ui/Services.cpp
  ui/CommandLine.cpp
  ui/Scale.cpp
  ui/Palette.cpp
  ui/RunLengthPicture.cpp
  ui/PropertyBag.cpp
)
set(TAVRIK_UI_WIN32_SOURCES
  ui/Win32Services_win.cpp
  ui/Owned_win.cpp
  ui/App_win.cpp
  ui/Controls_win.cpp
  ui/Accessible_win.cpp
  ui/Form_win.cpp
  ui/Subclass_win.cpp
)

# The simulated machine: what host tests, and Win32 tests that must not change
# the machine they run on, put in place of the real system and services.
set(TAVRIK_SIM_SOURCES
  tests/support/SimDosDevices.cpp
  tests/support/SimFileSystem.cpp
  tests/support/SimMachine.cpp
  tests/support/SimText.cpp
)

set(TAVRIK_ENGINE_SOURCES
  engine/mod_Subst.cpp
  engine/mod_DriveInfo.cpp
  engine/modFiles.cpp
  engine/modLists.cpp
  engine/modLabels.cpp
  engine/modElevated.cpp
)

set(TAVRIK_WIDGETS_SOURCES
  widgets/clsTimer.cpp
  widgets/ControlButton.cpp
  widgets/CaptionFace.cpp
  widgets/LabelMenu.cpp
  widgets/PointerPoll.cpp
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
  app/frmLabel.cpp
  app/frmStartLoad.cpp
)

set(TAVRIK_EXE_SOURCES
  app/WinMain_win.cpp
  app/LoadConfig_win.cpp
  app/Terminate_win.cpp
  app/Tavrik.rc
)
