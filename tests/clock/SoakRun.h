// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the real main window and setup dialog through many ends as fast as
// the event loop allows: the setup dialog closed between ends with changing
// settings (by OK and by its close box), adverts on with a list in which some
// pictures fail, and stop time, reset wave and reset timer pressed now and then.

#include "FakeFileDialog.h"
#include "TCounterLabel.h"
#include "TImage.h"
#include "TTimer.h"
#include "TestPlatform.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <map>

// Counts the signals instead of keeping them, so hours of ends cost no memory.
class CountingSound : public ISoundPlayer
{
public:
    std::map<QString, long> counts;
    void PlaySound(const QString &bareName) override { ++counts[bareName]; }
};

// Answers message boxes at once and counts them by kind.
class CountingMessages : public IMessageBoxes
{
public:
    long warnings = 0;
    long others = 0;
    void MessageDlg(const QString &, MessageKind kind) override
    {
        if (kind == MessageKind::Warning)
            ++warnings;
        else
            ++others;
    }
};

class SoakRun
{
public:
    long ends = 0;
    long ticks = 0;
    long setupClosings = 0;
    long stops = 0;
    long resetTimers = 0;
    long failingAdded = 0;
    std::function<void(long end)> afterEnd; // called on each ready screen after an end

    CountingSound sound;
    CountingMessages messages;
    FakeFileSystem fileSystem;
    FakeFileDialog fileDialog;
    TForm1 *form = nullptr;
    TForm2 *dialog = nullptr;
    QStringList goodPictures;

    SoakRun()
    {
        fileSystem.addHornFiles();
        for (int i = 0; i < 3; ++i) {
            QImage picture(64 + 16 * i, 48, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 100, 200, 200));
            const QString path = dir.path() + QStringLiteral("/advert%1.bmp").arg(i);
            picture.save(path, "BMP");
            goodPictures.append(path);
        }
        QFile garbage(dir.path() + QStringLiteral("/garbage.jpg"));
        garbage.open(QIODevice::WriteOnly);
        garbage.write(QByteArray(3000, '\x5A'));
    }

    ~SoakRun()
    {
        delete form;
    }

    void start()
    {
        form = new TForm1;
        dialog = new TForm2(form);
        form->AttachSetupDialog(dialog);
        form->Timer1->SetInterval(0);
        form->Timer1->OnTimer = [this] {
            ++ticks;
            form->Timer1Timer();
            maybeStop();
        };
        form->resize(800, 600);
        form->show();
        dialog->CheckBox_visReklamer->setChecked(true);
        dialog->CheckBox_visReklamerClick();
        for (const QString &path : goodPictures)
            dialog->ListBox_reklamer->addItem(path);
        addFailingPictures();
        driver.setInterval(0);
        QObject::connect(&driver, &QTimer::timeout, [this] { step(); });
    }

    // Runs until the given number of ends have been played.
    void runUntil(long targetEnds)
    {
        target = targetEnds;
        driver.start();
        while (ends < target)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        driver.stop();
    }

    bool onReadyScreen() const
    {
        return !form->Timer1->Enabled() && form->SekunderTilbage->isHidden()
               && !form->SetupKnap->isHidden();
    }

private:
    quint32 random()
    {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    }

    void addFailingPictures()
    {
        dialog->ListBox_reklamer->addItem(dir.path() + QStringLiteral("/missing.bmp"));
        dialog->ListBox_reklamer->addItem(dir.path() + QStringLiteral("/garbage.jpg"));
        failingAdded += 2;
    }

    void step()
    {
        if (busy || ends >= target)
            return;
        busy = true;
        if (onReadyScreen()) {
            if (running) {
                running = false;
                ++ends;
                if (afterEnd)
                    afterEnd(ends);
            }
            if (ends < target) {
                if (ends % 7 == 3)
                    closeSetup();
                running = true;
                form->StartKnap->click();
            }
        } else if (!form->nulstilleknap->isHidden()) {
            resolveStop();
        } else if (!form->Timer1->Enabled() && form->SekunderTilbage->isVisible()) {
            form->StartKnap->click(); // a wave put back starts again
        }
        busy = false;
    }

    void maybeStop()
    {
        if (form->Timer1->Enabled() && random() % 400 == 0) {
            ++stops;
            form->Afbryd_TidKnap->click();
        }
    }

    void resolveStop()
    {
        switch (random() % 3) {
        case 0:
            ++resetTimers;
            form->nulstilleknap->click();
            break;
        case 1: form->nulstilholdknap->click(); break;
        default: form->StartKnap->click(); break;
        }
    }

    void closeSetup()
    {
        ++setupClosings;
        const quint32 choice = random();
        const int waves = 1 + choice % 3;
        const int red = 5 + (choice >> 4) % 4;
        const int shooting = 4 + (choice >> 8) % 6;
        const int yellow = (choice >> 12) % 4;
        const bool byCloseBox = (choice >> 16) % 4 == 0;
        if ((setupClosings % 10) == 0)
            addFailingPictures();
        QTimer::singleShot(0, dialog, [=, this] {
            dialog->Staevnenavn->setText(QStringLiteral("Soak %1").arg(ends));
            dialog->AntalHold->setText(QString::number(waves));
            dialog->Skydetid->setText(QString::number(shooting));
            dialog->gul_tid->setText(QString::number(yellow));
            dialog->edRedWatingTime->setText(QString::number(red));
            if (byCloseBox)
                dialog->close();
            else
                dialog->Btn_ok->click();
        });
        form->SetupKnap->click();
    }

    QTemporaryDir dir;
    QTimer driver;
    ScopedSeam<IFileSystem> fileSystemSeam{&fileSystem};
    ScopedSeam<IMessageBoxes> messagesSeam{&messages};
    ScopedSeam<ISoundPlayer> soundSeam{&sound};
    ScopedSeam<IFileDialog> fileDialogSeam{&fileDialog};
    quint32 seed = 20261208;
    long target = 0;
    bool running = false;
    bool busy = false;
};
