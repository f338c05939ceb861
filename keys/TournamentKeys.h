// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class KeyControl;
class TForm1;

// The main window's keys: presenter remotes (PageDown, PageUp, B or period,
// F5, Shift+F5, Escape), plain keys a foot pedal can send, and F11 for full
// screen. A key pressed by mistake costs the archers no shooting time: while
// a wave runs only the keys that stop the time act, and stopped time is
// given back whole by Reset wave. Calling the next wave early or abandoning
// the end takes a stop first and then a key of its own.
void AddTournamentKeys(KeyControl &keys, TForm1 &form);
