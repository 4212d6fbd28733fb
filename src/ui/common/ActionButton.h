#pragma once

class QAction;
class QPushButton;

// The button shows the action's text, is enabled with it, and a click
// triggers it: a menu item and a button of the same command cannot differ.
void BindButtonToAction(QPushButton* button, QAction* action);
