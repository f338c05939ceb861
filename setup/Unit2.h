// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TOpenDialog.h"

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

class OptionsDialog;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The setup dialog: the tournament's name, the number of waves, the three
// times, the CD option and the advert list. Created once after the main
// window, shown modally by its Setup button; the controls keep their state
// between showings. The main window reads the entered settings, the two
// check boxes and the advert list when the dialog closes.
class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    // Components, named as in the window layout.
    QLabel *lblTournamentName = nullptr;
    QLineEdit *Staevnenavn = nullptr;
    QLabel *lblNumberOfWaves = nullptr;
    QLineEdit *AntalHold = nullptr;
    QLabel *lblTotalShootingTime = nullptr;
    QLineEdit *Skydetid = nullptr;
    QLabel *lblSeconds = nullptr;
    QLabel *lblMax = nullptr;
    QLabel *lblYellowShootingTime = nullptr;
    QLineEdit *gul_tid = nullptr;
    QLabel *lblSecondsYellow = nullptr;
    QLabel *lblRedWaitingTime = nullptr;
    QLineEdit *edRedWatingTime = nullptr;
    QLabel *lblSecondsRed = nullptr;
    QLabel *lblCDPlayer = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QLabel *lblAdds = nullptr;
    QCheckBox *CheckBox_visReklamer = nullptr;
    QLabel *Lbl_reklamer = nullptr;
    QListWidget *ListBox_reklamer = nullptr;
    QToolButton *Btn_op = nullptr;
    QPushButton *Btn_slet = nullptr;
    QPushButton *Btn_vaelgFiler = nullptr;
    QPushButton *Btn_ok = nullptr;
    TOpenDialog OpenDialog;

    // The last accepted settings; OK writes the four numbers only when all
    // of them are accepted, and the name at every press. They start as the
    // clock starts, so closing the dialog without an accepted OK changes
    // nothing on the clock.
    QString EnteredTournamentName;
    std::uint8_t EnteredShootingTime = 120;
    std::uint8_t EnteredYellowTime = 30;
    std::uint8_t EnteredRedWaitingTime = 20;
    std::uint8_t EnteredNumberOfWaves = 2;

    // Shows the dialog and returns when it has closed, by OK or by its
    // close box.
    int ShowModal();

    void FormCreate();
    void SetCaptions();
    void Btn_okClick();

    // The advert list editor.
    void CheckBox_visReklamerClick();
    void Btn_vaelgFilerClick();
    void Btn_sletClick();
    void Btn_opClick();

    // What the main window reads when the dialog closes.
    bool CdPlayerOption() const;
    void SetCdPlayerOption(bool on);
    bool AdvertsOption() const;
    QListWidget *AdvertList() const { return ListBox_reklamer; }
    // Appends an entry as the file dialog's choice does.
    void AppendAdvert(const QString &path) { appendAdvert(path); }

    // More options for running a tournament, one page per capability. Its
    // button stays hidden until a page is added, and keeps out of the tab
    // order: Alt+O or the mouse reach it.
    OptionsDialog *Options = nullptr;
    QPushButton *Btn_options = nullptr;
    void AddOptionsPage(QWidget *page, const QString &title);

    // The window's outer height, title bar and borders included, as far as
    // the window system has told the frame's size.
    int Height() const;
    void SetHeight(int outerHeight);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void createComponents();
    void createSettingsRows();
    void createAdvertControls();
    void setTabChain();
    void createOptionsButton();
    QLabel *createLabel(const char *name, int left, int top, int width, bool rightAligned);
    QLineEdit *createEdit(const char *name, int left, int top, int width, const QString &text);
    QPushButton *createButton(const char *name, int left, int top);
    void setCaption(QLabel *label, const QString &caption);
    void appendAdvert(const QString &path);
    void showAdvertControls(bool visible);
    QSize frameSize() const;
    void followFrame();

    // A label's place in the layout. A caption wider than that grows the
    // label away from its aligned edge, so a longer translation stays whole.
    struct LabelPlace
    {
        QLabel *label;
        QRect rect;
        bool rightAligned;
    };
    std::vector<LabelPlace> labelPlaces;
    // The frame's size when the outer size was last set: the window system
    // tells it only once the window is shown, and the outer size must hold.
    QSize knownFrame;
};
