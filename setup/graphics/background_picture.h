// The setup program's background picture and how it is drawn.
#pragma once

class CDibImage;

// The background picture: created on the view's first tick, deleted with the view.
extern CDibImage* g_pBackgroundImage;
// 1: centred at natural size on black; any other value: stretched over the client area.
extern int g_nDisplayMode;
