#pragma once

#include "access/dialog_focus.h"

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The access dialogs' controls, placed in layout units (1/1440 inch). Each carries its
// control name as object name.

// A fixed dialog border of the given client size, without maximize and minimize buttons.
void SetFixedDialog(QDialog* dialog, int width, int height);
void CenterOnScreen(QWidget* window);

// A text box 2325 x 345 (wider boxes in frames pass their own width) for a user name or
// password, so no longer than the file keeps.
QLineEdit* NewTextBox(QWidget* parent, const char* name, int left, int top, bool masked,
                      int width = 2325);
QLabel* NewLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                 QWidget* buddy, int width = 1500);
QPushButton* NewButton(QWidget* parent, const char* name, const char* text, int left, int top);

// Focus to the box, its text selected when asked; the request is then spent.
void ApplyFocus(QLineEdit* box, kv::FocusRequest& request);
