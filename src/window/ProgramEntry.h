#pragma once

// The window program's whole run: the application, its command line, the first start
// without data, the one window and the message loop. The shipped program runs it as it is;
// a test entry adds what it needs through the hooks, so the shipped program reads nothing
// meant for tests.

#include <functional>

class TMainForm;

struct TProgramHooks
{
    // Called once the window is shown, before the message loop starts.
    std::function<void(TMainForm&)> WindowShown;
};

int RunReaderProgram(int argc, char** argv, const TProgramHooks& hooks = {});
