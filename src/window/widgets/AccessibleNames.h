#pragma once

// The names a screen reader says for the window's controls. Every control a reader can reach
// is named where it is made, in one of these ways:
//  - a control without a caption of its own (a list, a text view, a symbol button):
//    Spoken(control, "이전 검색어");
//  - a control with a label beside it: LabelledBy(label, control). The label becomes its
//    buddy, which screen readers on Linux read as its label (a combo box's own name there is
//    the item it shows), and the control is named by the label's caption;
//  - a list: Spoken(MakeGrid(parent, objectName), "경전순 목록") and SetGridColumns with each
//    column's width and the word a reader says for it ({{40, "번호"}, {100, "제목"}});
//  - a text view filling a pane under a title bar: named by the bar's caption (TitledPane and
//    FillPlaceholder do it).
// Buttons, check boxes, radio buttons and tabs are named by their captions already.

#include <QString>

class QLabel;
class QWidget;

// The caption as a name: without the blanks around it and a closing colon (" 검색 대상 :").
QString CaptionName(const QString& caption);

void SetSpokenName(QWidget* control, const QString& name);

template <typename T> T* Spoken(T* control, const QString& name)
{
    SetSpokenName(control, name);
    return control;
}

// Makes label the label of control, which takes its caption as name. Both must have one parent.
void LabelledBy(QLabel* label, QWidget* control);
