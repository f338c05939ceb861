// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class FinalsMode;
class KeyControl;
class QWidget;

// The keys of finals, acting only while finals are on: PageDown (a presenter
// remote's Next) says "this side has shot" and, between ends, starts the
// next one; Left and Right choose the side that starts; Stop time, Resume and
// Reset sit on the clock's own keys for them. Left and Right are taken from
// the window only while finals are on (the CD strip uses them otherwise).
void AddFinalsKeys(KeyControl &keys, FinalsMode &mode, QWidget *window);
