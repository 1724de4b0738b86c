#pragma once

// The colours and text sizes the options offer, and how a page puts them on its controls.
// The window hands each page the resolved colours; a page colours only its own controls.

#include <QColor>

#include <initializer_list>

class QWidget;

// The colours of one scheme: the window's (title bars, sheets) and the content's (lists,
// drop-down lists, editors).
struct TColorScheme
{
    QColor Window;
    QColor Content;
};

// The scheme of an index of the colour group; an index out of range takes the nearest end.
TColorScheme ColorSchemeAt(int colorIndex);

// The window's colour as designed, before the user picks a scheme.
extern const QColor DesignedWindowColor;
extern const QColor DesignedWhite;
// The system's colour of lists and editors.
QColor SystemWindowColor();

// Point sizes of the three size levels of each kind of text, and the window's alpha of the
// three transparency levels; a level out of range takes the nearest end.
int HangeulPointSize(int level);
int HanmoonPointSize(int level);
int SearchPointSize(int level);
int TransparentAlpha(int level);

// Lists and editors paint on Base; a drop-down list that cannot be typed into paints
// itself as a button, so it takes the colour as Button too.
void SetContentColor(QWidget* control, const QColor& color);
void SetContentColor(std::initializer_list<QWidget*> controls, const QColor& color);
void SetWindowColor(QWidget* widget, const QColor& color);

// Sets the face and point size of each editor, keeping the rest of its font.
void SetTextFont(std::initializer_list<QWidget*> editors, const QString& family, int pointSize);
