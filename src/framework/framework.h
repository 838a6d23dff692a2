// Our small window framework: application object, windows with message maps, dialogs,
// controls and GDI wrappers.
#pragma once

#include "controls.h"
#include "dc.h"
#include "dialog.h"
#include "gdi_objects.h"
#include "geometry.h"
#include "image_list.h"
#include "list_ctrl.h"
#include "message_loop.h"
#include "message_map.h"
#include "resource_language.h"
#include "tool_tip_ctrl.h"
#include "tool_tip_filter.h"
#include "win_app.h"
#include "wnd.h"
