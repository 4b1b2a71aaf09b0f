// The product's version, the one source of the three programs' version
// blocks (their .rc files include this header) and of the uninstall entry's
// "DisplayVersion".
#pragma once

#define PRODUCT_VERSION_MAJOR 1
#define PRODUCT_VERSION_MINOR 0
#define PRODUCT_VERSION_RELEASE 0
#define PRODUCT_VERSION_BUILD 1

#define PRODUCT_VERSION_QUOTE_(x) #x
#define PRODUCT_VERSION_QUOTE(x) PRODUCT_VERSION_QUOTE_(x)

// FILEVERSION and PRODUCTVERSION of a version block.
#define PRODUCT_VERSION_NUMBERS \
    PRODUCT_VERSION_MAJOR, PRODUCT_VERSION_MINOR, PRODUCT_VERSION_RELEASE, PRODUCT_VERSION_BUILD
// The block's "FileVersion" and "ProductVersion" texts: "1, 0, 0, 1".
#define PRODUCT_VERSION_BLOCK_TEXT                                                               \
    PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_MAJOR) ", " PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_MINOR) \
        ", " PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_RELEASE) ", " PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_BUILD)
// The version as the list of installed programs shows it: "1.0.0.1".
#define PRODUCT_VERSION_TEXT                                                                    \
    PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_MAJOR) "." PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_MINOR) \
        "." PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_RELEASE) "." PRODUCT_VERSION_QUOTE(PRODUCT_VERSION_BUILD)
