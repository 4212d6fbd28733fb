#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;

// The "OK" button that closes an About window, centred under its contents.
QPushButton* AddOkButton(QDialog* dialog, QBoxLayout* layout);
