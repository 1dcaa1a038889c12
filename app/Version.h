#pragma once
// The program's version as the version resource spells it. The numbers come
// from the build (the project's version), so the windows read the same.
#define TAVRIK_VERSION_TEXT "3.0.25"
#define TAVRIK_PRODUCT_NAME "Tavrik"
