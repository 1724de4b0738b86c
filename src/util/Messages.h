#pragma once

#include <string>

// How the core tells the user something: the window shows a modal box, the command-line
// tool writes to standard error, tests record. The core never shows anything itself.
class IMessages
{
public:
    virtual ~IMessages() = default;
    // A modal message with one OK button and no icon; returns once the user has closed it.
    virtual void Show(const std::u16string& text, const std::u16string& caption) = 0;
};
