// The application object: start-up of the program, then the main dialog until it closes.
#pragma once

#include "win_app.h"

class CKOVATevo512ToolApp : public CWinApp {
public:
    // Returns FALSE: the process ends when the main dialog has closed.
    BOOL InitInstance() override;
};
