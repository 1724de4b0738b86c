#pragma once

#include <string>
#include <utility>

// How a step of the core that can fail says so: success, or failure with the text the user
// is shown. Every function returning it must have its result looked at.
class [[nodiscard]] TResult
{
public:
    static TResult Success() { return TResult(); }
    static TResult Failure(std::u16string message) { return TResult(std::move(message)); }

    bool Ok() const { return !Failed; }
    explicit operator bool() const { return Ok(); }
    // What went wrong; empty on success.
    const std::u16string& Message() const { return Text; }

private:
    TResult() = default;
    explicit TResult(std::u16string message) : Failed(true), Text(std::move(message)) {}

    bool Failed = false;
    std::u16string Text;
};
