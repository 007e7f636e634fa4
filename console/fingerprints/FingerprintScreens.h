#pragma once
// The menu items of the two fingerprint screens. The screens never share the reader: while one
// is open the other's item is disabled, and it comes back when the screen has closed its reader.

#include "ConsoleReader.h"

class FrmMain;

void registerFingerprintScreens(
    FrmMain& main, ConsoleReader::Factory makeReader = ConsoleReader::libfprintReaders());
