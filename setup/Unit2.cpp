// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit2.h"

#include "IFileSystem.h"
#include "IMessageBoxes.h"
#include "OptionsDialog.h"
#include "WholeNumber.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

using namespace uVantixStrings;

namespace {

constexpr int DesignLeft = 288;
constexpr int DesignTop = 271;
constexpr int DesignWidth = 551;
constexpr int HeightWithoutAdverts = 260;
constexpr int HeightWithAdverts = 384;
constexpr int OkTopWithoutAdverts = 200;
constexpr int OkTopWithAdverts = 320;
constexpr int OptionsTop = 168;
constexpr int LabelHeight = 16;
constexpr int EditHeight = 24;
constexpr int ButtonWidth = 71;
constexpr int ButtonHeight = 25;
constexpr int AdvertRowHeight = 13;
constexpr int FontPixels = 13;
constexpr int SmallFontPixels = 11;
constexpr int SmallestRedTime = 5;

const QString WindowTitle = QStringLiteral(" Fletchwise Vantix Setup");
const QString OpenDialogTitle = u"Vælg grafik til reklamer"_qs;
const QString OpenDialogFilter = QStringLiteral(
    "(*.BMP)|*.BMP|(*.JPG, *.JPEG*)|*.JPG;*.JPEG|(*.WMF)|*.WMF|"
    "(*.BMP, *.JPG,*.JPEG,*.WMF)|*.BMP; *.JPG;*.JPEG;*.WMF|(Alle filer)|*.*");

QFont dialogFont(int pixels)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    return font;
}

// The up-arrow of the move-up button: a black arrow head on a short shaft.
QIcon upArrowIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    QPainterPath head;
    head.moveTo(8, 2);
    head.lineTo(14, 9);
    head.lineTo(2, 9);
    head.closeSubpath();
    painter.drawPath(head);
    painter.drawRect(QRectF(6, 9, 4, 5));
    return QIcon(pixmap);
}

} // namespace

TForm2::TForm2(QWidget *parent) : QDialog(parent)
{
    // The layout names a Windows font; this is its metric twin here.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    createComponents();
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::createComponents()
{
    setWindowTitle(WindowTitle);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont(FontPixels));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    // Black text, while a disabled control keeps the style's grey.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, Qt::black);
    }
    setPalette(palette);
    move(DesignLeft, DesignTop);
    knownFrame = frameSize();
    resize(DesignWidth - knownFrame.width(), HeightWithoutAdverts - knownFrame.height());

    createSettingsRows();
    createAdvertControls();
    Btn_ok = createButton("Btn_ok", 464, OkTopWithoutAdverts);
    Btn_ok->setFont(dialogFont(SmallFontPixels));
    connect(Btn_ok, &QPushButton::clicked, this, [this] { Btn_okClick(); });
    setTabChain();
    createOptionsButton();

    OpenDialog.Owner = this;
    OpenDialog.Title = OpenDialogTitle;
    OpenDialog.Filter = OpenDialogFilter;
    OpenDialog.FilterIndex = 1;
    OpenDialog.AllowMultiSelect = true;
}

void TForm2::createSettingsRows()
{
    lblTournamentName = createLabel("lblTournamentName", 38, 14, 98, true);
    Staevnenavn = createEdit("Staevnenavn", 147, 10, 168, QString());
    lblNumberOfWaves = createLabel("lblNumberOfWaves", 38, 47, 98, true);
    AntalHold = createEdit("AntalHold", 147, 41, 23, QStringLiteral("2"));
    lblTotalShootingTime = createLabel("lblTotalShootingTime", 38, 75, 98, true);
    Skydetid = createEdit("Skydetid", 147, 71, 38, QStringLiteral("120"));
    lblSeconds = createLabel("lblSeconds", 188, 75, 58, false);
    lblMax = createLabel("lblMax", 264, 75, 57, false);
    lblYellowShootingTime = createLabel("lblYellowShootingTime", 38, 105, 98, true);
    gul_tid = createEdit("gul_tid", 147, 101, 38, QStringLiteral("30"));
    lblSecondsYellow = createLabel("lblSecondsYellow", 189, 105, 58, false);
    lblRedWaitingTime = createLabel("lblRedWaitingTime", 38, 136, 98, true);
    edRedWatingTime = createEdit("edRedWatingTime", 147, 132, 38, QStringLiteral("20"));
    lblSecondsRed = createLabel("lblSecondsRed", 189, 136, 58, false);
    lblCDPlayer = createLabel("lblCDPlayer", 38, 161, 98, true);
    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(147, 161, 15, 17);
}

void TForm2::createAdvertControls()
{
    lblAdds = createLabel("lblAdds", 38, 184, 98, true);
    CheckBox_visReklamer = new QCheckBox(this);
    CheckBox_visReklamer->setObjectName(QStringLiteral("CheckBox_visReklamer"));
    CheckBox_visReklamer->setGeometry(147, 184, 12, 17);
    connect(CheckBox_visReklamer, &QCheckBox::clicked, this, [this] { CheckBox_visReklamerClick(); });

    Lbl_reklamer = createLabel("Lbl_reklamer", 8, 216, 62, false);
    ListBox_reklamer = new QListWidget(this);
    ListBox_reklamer->setObjectName(QStringLiteral("ListBox_reklamer"));
    ListBox_reklamer->setGeometry(8, 232, 465, 81);
    ListBox_reklamer->setFont(dialogFont(SmallFontPixels));
    ListBox_reklamer->setSelectionMode(QAbstractItemView::ExtendedSelection);

    Btn_op = new QToolButton(this);
    Btn_op->setObjectName(QStringLiteral("Btn_op"));
    Btn_op->setGeometry(488, 232, 25, 25);
    Btn_op->setIcon(upArrowIcon());
    Btn_op->setIconSize(QSize(16, 16));
    Btn_op->setFocusPolicy(Qt::NoFocus);
    connect(Btn_op, &QToolButton::clicked, this, [this] { Btn_opClick(); });

    Btn_slet = createButton("Btn_slet", 304, 320);
    Btn_slet->setToolTip(QStringLiteral("Fjern reklamer"));
    connect(Btn_slet, &QPushButton::clicked, this, [this] { Btn_sletClick(); });

    Btn_vaelgFiler = createButton("Btn_vaelgFiler", 384, 320);
    Btn_vaelgFiler->setFont(dialogFont(SmallFontPixels));
    Btn_vaelgFiler->setToolTip(u"Tilføj reklamer"_qs);
    connect(Btn_vaelgFiler, &QPushButton::clicked, this, [this] { Btn_vaelgFilerClick(); });

    showAdvertControls(false);
}

void TForm2::createOptionsButton()
{
    Options = new OptionsDialog(this);
    Btn_options = createButton("Btn_options", 464, OptionsTop);
    Btn_options->setText(OptionsButton);
    Btn_options->setFont(dialogFont(SmallFontPixels));
    Btn_options->setFocusPolicy(Qt::ClickFocus);
    Btn_options->hide();
    connect(Btn_options, &QPushButton::clicked, Options, &QDialog::exec);
}

void TForm2::AddOptionsPage(QWidget *page, const QString &title)
{
    Options->AddPage(page, title);
    Btn_options->show();
}

bool TForm2::CdPlayerOption() const
{
    return CheckBox1->isChecked();
}

void TForm2::SetCdPlayerOption(bool on)
{
    CheckBox1->setChecked(on);
}

bool TForm2::AdvertsOption() const
{
    return CheckBox_visReklamer->isChecked();
}

void TForm2::setTabChain()
{
    QWidget *const order[] = {Btn_ok, Staevnenavn, AntalHold, Skydetid, gul_tid, CheckBox1,
                              CheckBox_visReklamer, Btn_vaelgFiler, ListBox_reklamer, Btn_slet,
                              edRedWatingTime};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QLabel *TForm2::createLabel(const char *name, int left, int top, int width, bool rightAligned)
{
    auto *label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    // Captions come from the language file and are shown as written.
    label->setTextFormat(Qt::PlainText);
    const QRect rect(left, top, width, LabelHeight);
    label->setGeometry(rect);
    label->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    labelPlaces.push_back({label, rect, rightAligned});
    return label;
}

QLineEdit *TForm2::createEdit(const char *name, int left, int top, int width, const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, width, EditHeight);
    return edit;
}

QPushButton *TForm2::createButton(const char *name, int left, int top)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, top, ButtonWidth, ButtonHeight);
    // No default button: Enter in an edit field presses nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void TForm2::FormCreate()
{
    SetCaptions();
    SetHeight(HeightWithoutAdverts);
    Btn_ok->move(Btn_ok->x(), OkTopWithoutAdverts);
    OpenDialog.InitialDir = FileSystem::get().ProgramFolder();
}

void TForm2::SetCaptions()
{
    setCaption(lblTournamentName, TournamentName);
    setCaption(lblNumberOfWaves, NoOfWaves);
    setCaption(lblTotalShootingTime, TotalTime);
    setCaption(lblSeconds, Seconds);
    setCaption(lblSecondsYellow, Seconds);
    setCaption(lblSecondsRed, Seconds);
    setCaption(lblMax, Max);
    setCaption(lblYellowShootingTime, YellowShootingTime);
    setCaption(lblRedWaitingTime, RedWaitingTime);
    setCaption(lblCDPlayer, CDPlayer);
    setCaption(lblAdds, ShowAdds);
    setCaption(Lbl_reklamer, Adds);
    Btn_slet->setText(DeleteAddsButton);
    Btn_vaelgFiler->setText(AddsButton);
    Btn_ok->setText(OKButton);
}

void TForm2::setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    const auto place = std::find_if(labelPlaces.begin(), labelPlaces.end(),
                                    [label](const LabelPlace &p) { return p.label == label; });
    if (place == labelPlaces.end())
        return;
    QRect rect = place->rect;
    const int needed = QFontMetrics(label->font()).horizontalAdvance(caption);
    if (needed > rect.width()) {
        if (place->rightAligned)
            rect.setLeft(rect.right() + 1 - needed);
        else
            rect.setWidth(needed);
    }
    label->setGeometry(rect);
}

int TForm2::ShowModal()
{
    return exec();
}

void TForm2::Btn_okClick()
{
    EnteredTournamentName = Staevnenavn->text();
    const auto shooting = WholeNumber::ParseByte(Skydetid->text());
    const auto yellow = WholeNumber::ParseByte(gul_tid->text());
    const auto red = WholeNumber::ParseByte(edRedWatingTime->text());
    const auto waves = WholeNumber::ParseByte(AntalHold->text());
    // A refused press stores none of the numbers, so a close by the close
    // box afterwards hands the clock the last accepted settings.
    if (!shooting || !yellow || !red || !waves) {
        MessageDlg(WholeNumbers, MessageKind::Error);
        return;
    }
    if (*shooting < *yellow || *red < SmallestRedTime) {
        MessageDlg(TotalLessThanYellow + QLatin1Char('\r') + RedLessThanFive, MessageKind::Error);
        return;
    }
    EnteredShootingTime = *shooting;
    EnteredYellowTime = *yellow;
    EnteredRedWaitingTime = *red;
    EnteredNumberOfWaves = *waves;
    accept();
}

void TForm2::CheckBox_visReklamerClick()
{
    const bool on = CheckBox_visReklamer->isChecked();
    showAdvertControls(on);
    if (ListBox_reklamer->count() == 0)
        Btn_slet->setEnabled(false);
    SetHeight(on ? HeightWithAdverts : HeightWithoutAdverts);
    Btn_ok->move(Btn_ok->x(), on ? OkTopWithAdverts : OkTopWithoutAdverts);
}

void TForm2::showAdvertControls(bool visible)
{
    for (QWidget *control : {static_cast<QWidget *>(Btn_vaelgFiler), static_cast<QWidget *>(Lbl_reklamer),
                             static_cast<QWidget *>(ListBox_reklamer), static_cast<QWidget *>(Btn_slet),
                             static_cast<QWidget *>(Btn_op)})
        control->setVisible(visible);
}

void TForm2::Btn_vaelgFilerClick()
{
    if (OpenDialog.Execute()) {
        for (const QString &file : OpenDialog.Files)
            appendAdvert(file);
    }
    if (ListBox_reklamer->count() > 0)
        Btn_slet->setEnabled(true);
}

void TForm2::appendAdvert(const QString &path)
{
    auto *item = new QListWidgetItem(path);
    const int width = QFontMetrics(ListBox_reklamer->font()).horizontalAdvance(path);
    item->setSizeHint(QSize(width, AdvertRowHeight));
    ListBox_reklamer->addItem(item);
}

void TForm2::Btn_sletClick()
{
    if (ListBox_reklamer->selectedItems().isEmpty())
        MessageDlg(ChoosePicture, MessageKind::Information);
    for (int i = ListBox_reklamer->count() - 1; i >= 0; --i) {
        if (ListBox_reklamer->item(i)->isSelected())
            delete ListBox_reklamer->takeItem(i);
    }
    if (ListBox_reklamer->count() == 0)
        Btn_slet->setEnabled(false);
}

void TForm2::Btn_opClick()
{
    // Ascending, each moved entry selected at its new place: a selected block
    // moves up as a whole, and one that starts at the top rotates.
    for (int i = 1; i < ListBox_reklamer->count(); ++i) {
        if (!ListBox_reklamer->item(i)->isSelected())
            continue;
        QListWidgetItem *moved = ListBox_reklamer->takeItem(i);
        ListBox_reklamer->insertItem(i - 1, moved);
        moved->setSelected(true);
    }
}

int TForm2::Height() const
{
    return frameGeometry().height();
}

void TForm2::SetHeight(int outerHeight)
{
    knownFrame = frameSize();
    resize(width(), outerHeight - knownFrame.height());
}

QSize TForm2::frameSize() const
{
    return frameGeometry().size() - geometry().size();
}

void TForm2::followFrame()
{
    // Keep the outer size when the frame turns out other than assumed.
    const QSize frame = frameSize();
    if (frame == knownFrame)
        return;
    resize(size() + knownFrame - frame);
    knownFrame = frame;
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    followFrame();
    // The first showing starts at the first control of the tab order;
    // later ones where the timekeeper left off.
    if (focusWidget() == nullptr)
        Btn_ok->setFocus();
}

void TForm2::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    followFrame();
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // There is no cancel button, so Escape closes nothing.
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the button that has the focus, and nothing else.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
