// The framework layer as one include: application, document, frame, view,
// dialogs, strings, rectangles, device contexts, palettes and files.
#pragma once

#include <windows.h>

#include "cmd_target.h"
#include "cstring.h"
#include "data_exchange.h"
#include "dc.h"
#include "dialog.h"
#include "doc_template.h"
#include "document.h"
#include "file.h"
#include "frame_wnd.h"
#include "framework_ids.h"
#include "gdi_objects.h"
#include "message_map.h"
#include "object.h"
#include "rect.h"
#include "view.h"
#include "win_app.h"
#include "wnd.h"
