// SPDX-License-Identifier: GPL-3.0-or-later
// The number fields of the setup dialog: any text at all goes through the
// whole-number reader, and four such texts through the dialog's OK button.
// Must hold: the reader agrees with a separate reading built on strtoll and
// strtoull; ParseByte gives exactly the numbers 0 to 255; a press with a
// refused number, or with times that do not fit together, shows one error box
// and changes none of the entered numbers, while the name is taken every time.

#include "FuzzRequire.h"
#include "FakeFileDialog.h"
#include "FakeFileSystem.h"
#include "FakeMessageBoxes.h"
#include "Unit2.h"
#include "WholeNumber.h"
#include "uVantixStrings.h"

#include <QApplication>
#include <QLineEdit>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

bool allOf(const std::string &text, int (*accepts)(int))
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (!accepts(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// The whole-number rule read the plain C way, to hold the reader against.
std::optional<std::int32_t> referenceParse(const QString &field)
{
    std::string text;
    for (const QChar c : field) {
        if (c.unicode() >= 0x80)
            return std::nullopt; // no character of a number lies outside ASCII
        text.push_back(static_cast<char>(c.unicode()));
    }
    const std::size_t firstNonBlank = text.find_first_not_of(' ');
    text.erase(0, firstNonBlank == std::string::npos ? text.size() : firstNonBlank);
    std::string hexDigits;
    bool hex = true;
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
        hexDigits = text.substr(1);
    else if (text.starts_with("0x") || text.starts_with("0X"))
        hexDigits = text.substr(2);
    else
        hex = false;
    errno = 0;
    if (hex) {
        if (!allOf(hexDigits, isxdigit))
            return std::nullopt;
        const unsigned long long value = std::strtoull(hexDigits.c_str(), nullptr, 16);
        if (errno == ERANGE || value > 0xFFFFFFFFULL)
            return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    const std::size_t digitsFrom = (text.starts_with('+') || text.starts_with('-')) ? 1 : 0;
    if (!allOf(text.substr(digitsFrom), isdigit))
        return std::nullopt;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::uint8_t> referenceByte(const QString &field)
{
    const std::optional<std::int32_t> value = referenceParse(field);
    if (!value || *value < 0 || *value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

// The first byte picks how the rest becomes text: Latin-1 keeps every byte
// one character, UTF-8 and UTF-16 bring in the characters beyond ASCII
// (other scripts' digits, full-width signs) that must all be refused.
QString textOf(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return QString();
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromLatin1(rest, length);
    case 1:
        return QString::fromUtf8(rest, length);
    default:
        break;
    }
    QString units;
    for (qsizetype at = 0; at + 1 < length; at += 2)
        units.append(QChar(char16_t(std::uint8_t(rest[at]) | (std::uint8_t(rest[at + 1]) << 8))));
    return units;
}

void checkReader(const QString &text)
{
    const std::optional<std::int32_t> parsed = WholeNumber::Parse(text);
    REQUIRE(parsed == referenceParse(text));
    const std::optional<std::uint8_t> byte = WholeNumber::ParseByte(text);
    REQUIRE(byte == referenceByte(text));
    REQUIRE(byte.has_value() == (parsed && *parsed >= 0 && *parsed <= 255));
}

struct Dialog
{
    FakeFileSystem fileSystem;
    FakeMessageBoxes messageBoxes;
    FakeFileDialog fileDialog;
    ScopedSeam<IFileSystem> fileSystemSeam{&fileSystem};
    ScopedSeam<IMessageBoxes> messageBoxesSeam{&messageBoxes};
    ScopedSeam<IFileDialog> fileDialogSeam{&fileDialog};
    TForm2 *form = nullptr;
};

Dialog *dialog = nullptr;

struct Entered
{
    std::uint8_t shooting, yellow, red, waves;
    bool operator==(const Entered &) const = default;
};

Entered enteredOf(const TForm2 &form)
{
    return {form.EnteredShootingTime, form.EnteredYellowTime, form.EnteredRedWaitingTime,
            form.EnteredNumberOfWaves};
}

// Name, waves, shooting, yellow and red, separated by line feeds.
void checkDialog(const QString &text)
{
    QStringList fields = text.split(QLatin1Char('\n'));
    while (fields.size() < 5)
        fields.append(QString());
    TForm2 &form = *dialog->form;
    form.Staevnenavn->setText(fields[0]);
    form.AntalHold->setText(fields[1]);
    form.Skydetid->setText(fields[2]);
    form.gul_tid->setText(fields[3]);
    form.edRedWatingTime->setText(fields[4]);
    const auto waves = referenceByte(form.AntalHold->text());
    const auto shooting = referenceByte(form.Skydetid->text());
    const auto yellow = referenceByte(form.gul_tid->text());
    const auto red = referenceByte(form.edRedWatingTime->text());

    const Entered before = enteredOf(form);
    dialog->messageBoxes.shown.clear();
    form.setResult(QDialog::Rejected);
    form.Btn_okClick();

    REQUIRE(form.EnteredTournamentName == form.Staevnenavn->text());
    const bool numbers = waves && shooting && yellow && red;
    const bool fitting = numbers && *shooting >= *yellow && *red >= 5;
    if (fitting) {
        REQUIRE(dialog->messageBoxes.shown.isEmpty());
        REQUIRE(form.result() == QDialog::Accepted);
        REQUIRE((enteredOf(form) == Entered{*shooting, *yellow, *red, *waves}));
        return;
    }
    REQUIRE(form.result() == QDialog::Rejected);
    REQUIRE(enteredOf(form) == before);
    REQUIRE(dialog->messageBoxes.shown.size() == 1);
    const FakeMessageBoxes::Shown &box = dialog->messageBoxes.shown.front();
    REQUIRE(box.kind == MessageKind::Error);
    const QString expected = numbers ? uVantixStrings::TotalLessThanYellow + QLatin1Char('\r')
                                           + uVantixStrings::RedLessThanFive
                                     : uVantixStrings::WholeNumbers;
    REQUIRE(box.text == expected);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    dialog = new Dialog;
    uVantixStrings::LoadTexts();
    dialog->form = new TForm2;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = textOf(data, size);
    checkReader(text);
    checkDialog(text);
    return 0;
}
