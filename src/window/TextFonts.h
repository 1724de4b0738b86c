#pragma once

// The faces the window asks for by their Windows names, and the platform's installed faces.

#include <string>
#include <vector>

// Lets the Windows faces "한컴바탕", "바탕" and "굴림" resolve to installed faces that cover the
// texts where they are missing (FaceSubstitutes). Safe to call more than once.
void RegisterFontSubstitutions();

// The platform's installed font faces, as ChooseTextFont takes them.
std::vector<std::u16string> InstalledFontFaces();
