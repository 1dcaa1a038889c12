#pragma once
// The program's version, read by the version resource and by the windows.
#define TAVRIK_VERSION_MAJOR 3
#define TAVRIK_VERSION_MINOR 0
#define TAVRIK_VERSION_REVISION 25
#define TAVRIK_VERSION_TEXT "3.0.25"
#define TAVRIK_PRODUCT_NAME "Tavrik"
