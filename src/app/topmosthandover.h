#pragma once
// A modal dialog over the always-on-top main window: the main window leaves
// the topmost band and the dialog enters it while it shows; afterwards both
// go back. Positions and sizes stay as they are.

class QDialog;
class QWidget;

int execOverTopmost(QWidget *mainWindow, QDialog *dialog);
