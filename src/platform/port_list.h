#pragma once

#include <QStringList>

// The names of the serial ports present, sorted as text without regard to case
// (COM1, COM10, COM3). Read anew on every call.
QStringList SerialPortNames();

// Sorts port names as text without regard to case.
void SortPortNames(QStringList &names);
