// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit3.h"

#include "CLabels.h"
#include "Cp1252.h"
#include "DiscArrowsPicture.h"
#include "EMailLabel.h"
#include "IProgramFile.h"
#include "OkGlyph.h"
#include "VersionInfo.h"

#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <vector>

TAboutBox *AboutBox = nullptr;

namespace {

// Where the box's own font is missing, its metric twin of Arial keeps the
// texts within the places the form gives them.
QFont sansSerif(int pixelHeight)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    return font;
}

QLabel *placeLabel(QWidget *parent, const QRect &where, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(where);
    return label;
}

// Labels size themselves to their text, from the place they were put.
void fitToText(QLabel *label)
{
    label->resize(label->sizeHint());
}

QString hex4(std::uint32_t number)
{
    return QStringLiteral("%1").arg(number, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TAboutBox::TAboutBox(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(314, 317);
    setFont(sansSerif(11));
    createPanel();
    createOKButton();
    GroupBox1 = new QGroupBox(QStringLiteral(" Fletchwise "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 216, 209, 86);
    // The caption sits on the frame's top line, so the links below it keep
    // clear of the frame.
    GroupBox1->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 7px; top: -1px; }"));
    createLinks();
    OKButton->setFocus();
    placeInScreenCentre();
}

void TAboutBox::createPanel()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    // A sunken box line is a lowered outer bevel around a raised inner one.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setGeometry(7, 9, 298, 192);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 113, 105);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap::fromImage(DiscArrowsPicture::render().scaled(
        Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));

    Label1 = placeLabel(Panel1, QRect(130, 24, 147, 37), QStringLiteral("Fletchwise"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(sansSerif(32));
    fitToText(Label1);
    Label2 = placeLabel(Panel1, QRect(133, 64, 88, 37), QStringLiteral("Vantix"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(sansSerif(32));
    fitToText(Label2);
    Label3 = placeLabel(Panel1, QRect(133, 136, 38, 13), QStringLiteral("Version:"));
    Label3->setObjectName(QStringLiteral("Label3"));
    fitToText(Label3);
    lblVersion = placeLabel(Panel1, QRect(176, 136, 3, 13), QStringLiteral("-"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    fitToText(lblVersion);
}

void TAboutBox::createOKButton()
{
    OKButton = new QPushButton(QIcon(QPixmap::fromImage(OkGlyph::render())), QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(228, 284, 77, 26);
    QPalette black = OKButton->palette();
    black.setColor(QPalette::ButtonText, toQColor(clBlack));
    OKButton->setPalette(black);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::createLinks()
{
    EMailLabel1 = new TEMailLabel(GroupBox1);
    EMailLabel1->setObjectName(QStringLiteral("EMailLabel1"));
    EMailLabel1->move(8, 16);
    EMailLabel1->setFont(sansSerif(11));
    EMailLabel1->SetFontColorin(clBlue);
    EMailLabel1->SetFontColorOut(clBlack);
    EMailLabel1->SetFontColorAfter(clMaroon);
    EMailLabel1->SetEMailAddress(MakerEMail);

    OHUrlLabel1 = new TOHUrlLabel(GroupBox1);
    OHUrlLabel1->setObjectName(QStringLiteral("OHUrlLabel1"));
    OHUrlLabel1->move(8, 40);
    QFont underlined = sansSerif(11);
    underlined.setUnderline(true);
    OHUrlLabel1->setFont(underlined);
    OHUrlLabel1->SetFontColor(clBlue);
    OHUrlLabel1->SetCaption(MakerWebSite);
    OHUrlLabel1->SetURL(MakerWebSite);
}

// Escape is no way out of the box; Enter still presses the OK button.
void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutBox::placeInScreenCentre()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

void ShowAboutBox()
{
    // Released however the showing ends; deleteLater lets the events already
    // queued for the box be handled first.
    struct Release
    {
        ~Release()
        {
            if (AboutBox)
                AboutBox->deleteLater();
            AboutBox = nullptr;
        }
    } release;
    if (!AboutBox)
        AboutBox = new TAboutBox();
    AboutBox->lblVersion->setText(GetFileVersionString(ProgramFile::get().ProgramFilePath()));
    fitToText(AboutBox->lblVersion);
    AboutBox->exec();
}

QString FileVersionQueryPath(std::uint32_t translation)
{
    return QStringLiteral("\\\\StringFileInfo\\\\") + hex4(translation & 0xFFFF) + hex4(translation >> 16)
           + QStringLiteral("\\\\FileVersion");
}

QString GetFileVersionString(const QString &fileName)
{
    QString result;
    std::uint32_t handle = 0;
    const std::uint32_t size = GetFileVersionInfoSizeA(fileName, &handle);
    if (size == 0)
        return result;
    std::vector<std::uint8_t> data(size);
    GetFileVersionInfoA(fileName, 0, size, data.data());
    // A resource without a translation or without the text gives no
    // version rather than a read through a missing value.
    void *value = nullptr;
    std::uint32_t length = 0;
    VerQueryValueA(data.data(), QStringLiteral("\\\\VarFileInfo\\\\Translation"), &value, &length);
    if (!value || length < 4)
        return result;
    const auto *entry = static_cast<const std::uint8_t *>(value);
    const std::uint32_t translation = std::uint32_t(entry[0]) | (std::uint32_t(entry[1]) << 8)
                                      | (std::uint32_t(entry[2]) << 16) | (std::uint32_t(entry[3]) << 24);
    VerQueryValueA(data.data(), FileVersionQueryPath(translation), &value, &length);
    if (value)
        result = Cp1252::decode(QByteArray(static_cast<const char *>(value)));
    return result;
}
