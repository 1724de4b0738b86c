#pragma once

// What the window needs of the application around it besides message boxes: the plain
// dialog captioned with the application title, and ending the program. The real program
// shows dialogs and ends; tests record both instead.

#include "util/Messages.h"

#include <string>

inline constexpr std::u16string_view AppTitle = u"베스코";

class IAppShell : public IMessages
{
public:
    // A modal dialog captioned with the application title, one OK button, no icon.
    virtual void ShowAppMessage(const std::u16string& text) = 0;
    // Ends the program with exitCode. The caller returns at once; nothing of the window
    // runs after this except its destruction.
    virtual void RequestExit(int exitCode) = 0;
    virtual bool ExitRequested() const = 0;
    virtual int ExitCode() const = 0;
};
