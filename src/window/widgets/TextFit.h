#pragma once

// Cutting a text to a width on whole characters: a character made of a surrogate pair or of
// a base and its marks is kept or dropped whole, never drawn in part at an edge.

#include <QFontMetrics>
#include <QString>

// The longest start of text at most width pixels wide.
QString FittingHead(const QString& text, const QFontMetrics& metrics, int width);

// The longest end of text at most width pixels wide.
QString FittingTail(const QString& text, const QFontMetrics& metrics, int width);
