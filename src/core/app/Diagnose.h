#pragma once
// --diagnose: what discovery finds of the keyboard, in words a user can act on.

class QTextStream;

namespace orvanta {

// Prints every HID interface of the keyboard's vendor, which ones the console
// would use and why any cannot be opened. Returns 0 when the keyboard can be
// used, 1 when it is present but cannot be opened, 2 when it is absent.
int runDiagnosis(QTextStream &out);

} // namespace orvanta
