// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class FinalsMode;
class KeyControl;
class QAbstractButton;
class TForm1;
class TForm2;

// Puts finals beside the main window: its buttons in the button row, its view
// over the counter, its page "Finals" in the options dialog and, when given,
// its keys (with no dialog the page stays on its own). The emergency option, when given, makes Stop time sound the
// emergency signal as it does in the clock's own sequence.
FinalsMode *AttachFinals(TForm1 &form, TForm2 *dialog, KeyControl *keys, QAbstractButton *emergencyOption);
