#pragma once

// The reader's way through this run and across runs: the sutras shown, gone back and forward
// through, and the state file that the next start restores after loading.

#include "session/ReaderState.h"

#include <cstdint>
#include <filesystem>
#include <optional>

class TMainForm;

// Where the state file is; an empty path keeps no state (the tests' windows), and
// IgnoreSaved starts as without the file but still writes it at close.
struct TReaderStateFile
{
    std::filesystem::path Path;
    bool IgnoreSaved = false;
};

class TReaderSession
{
public:
    TReaderSession(TMainForm& form, TReaderStateFile file);

    // Reads the state file and puts the window's normal geometry back, before the window shows.
    void LoadBeforeShow();
    // Puts back the rest once the data are loaded: tabs, splitters, search, the sutras.
    void RestoreAfterLoad();
    // Writes the state file; a failure costs the state, nothing more.
    void Save();

    // Before another sutra fills the views: the place on show keeps its tab and scrolling.
    void Leaving() { UpdateCurrentPlace(); }
    // A sutra was shown from a list (hit false) or as a search hit.
    void Visited(std::int32_t n, bool hit);
    // Back (-1) or forward (+1) through the sutras shown; nothing at either end.
    void Go(int step);

    const TReadingHistory& History() const { return Places; }

private:
    // The place on show as the reader has left it: its tab and scrolling.
    void UpdateCurrentPlace();
    void ShowPlace(const TReadingPlace& place);

    TMainForm& Form;
    TReaderStateFile File;
    TReadingHistory Places;
    std::optional<TReaderState> Saved;
};
