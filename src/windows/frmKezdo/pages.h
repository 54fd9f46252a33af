#pragma once
// Pieces shared by the pages of the main window.

#include <QString>

class QGroupBox;
class QLabel;

// The frame with the resident name and the address of the selected
// apartment, shown above the ledgers and above the meters.
QGroupBox* makeCaptionFrame(const QString& objectName, QLabel*& nev, QLabel*& cim, int index);
