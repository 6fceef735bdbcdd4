// Alt+letter belongs to the menus: a pane never types it, whether or not a menu answers it.
#pragma once

class QWidget;

// Drops the Alt+letter key presses that reach the pane; Ctrl+Alt (AltGr on some keyboards) and
// Alt with a key that types nothing go on as before.
void keepAltLettersOut(QWidget* pane);
