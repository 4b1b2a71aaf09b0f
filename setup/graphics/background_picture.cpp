// The background picture's process-wide state.
#include "background_picture.h"

#include <stddef.h>

CDibImage* g_pBackgroundImage = NULL;
int g_nDisplayMode = 1;
