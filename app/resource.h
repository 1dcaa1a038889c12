#pragma once
// Resource numbers of the program's pictures.
#define IDI_TAVRIK 1
#define IDI_EMBLEM 101
#define IDI_MOUNT 102
#define IDI_SETUP 103
#define IDI_HELP 104
#define IDI_ADD 105
#define IDI_BROWSE 106
#define IDI_MENU_MOUNT 111
#define IDI_MENU_UNMOUNT 112
#define IDI_MENU_CLEAR 113
#define IDI_MENU_OPEN 114
#define IDI_MENU_COPY 115
#define IDI_MENU_RENAME 116
