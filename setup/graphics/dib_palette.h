// CDibPalette: the GDI palette made from a picture's colours, rebuilt as an
// identity palette of the system palette on palette devices.
#pragma once

#include "framework.h"

class CDibImage;

class CDibPalette : public CPalette {
public:
    explicit CDibPalette(CDibImage* pImage);

    BOOL CreateFromImage(CDibImage* pImage);
    BOOL MakeIdentity();
};
