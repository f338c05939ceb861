// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class AudienceScreens;
class CounterExtras;
class KeyControl;
class ReadyExtras;
class ScreensPage;
class TForm1;
class TForm2;

// Everything for running a tournament beside the clock, joined to the main
// window: the audience display and its choice of screen (a page of the
// setup dialog's options), the detail letters and end label over the main
// window's counter and over its ready screen, and the keys. The main window owns it.
class AudienceSetup : public QObject
{
    Q_OBJECT
public:
    AudienceSetup(TForm1 &form, TForm2 *setup);

    AudienceScreens *Screens = nullptr;
    ScreensPage *Page = nullptr;
    CounterExtras *Extras = nullptr;
    ReadyExtras *ReadyScreenExtras = nullptr;
    KeyControl *Keys = nullptr;
};
