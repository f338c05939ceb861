// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <cstdint>

class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class TEMailLabel;
class TOHUrlLabel;

// The about box: the maker's and the product's names, the picture, the
// program file's version and the two links to the maker. It closes with its
// OK button, with Enter, or with its close box; nothing else happens in it.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *owner = nullptr);

    // The maker's addresses the links open.
    static inline const QString MakerWebSite = QStringLiteral("www.fletchwise.example");
    static inline const QString MakerEMail = QStringLiteral("info@fletchwise.example");

    QFrame *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblVersion = nullptr;
    QPushButton *OKButton = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    TEMailLabel *EMailLabel1 = nullptr;
    TOHUrlLabel *OHUrlLabel1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createPanel();
    void createLinks();
    void createOKButton();
    void placeInScreenCentre();
};

// The about box while it is shown; null otherwise.
extern TAboutBox *AboutBox;

// Shows a fresh about box with the program file's version until the user
// closes it, then releases it, also when an error breaks off the showing.
void ShowAboutBox();

// The FileVersion text of the version resource of an executable file; empty
// when the file has none.
QString GetFileVersionString(const QString &fileName);

// The query path of the FileVersion text for a translation entry: language
// in the low 16 bits, code page in the high 16 bits.
QString FileVersionQueryPath(std::uint32_t translation);
