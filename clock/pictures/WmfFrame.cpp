// SPDX-License-Identifier: GPL-3.0-or-later
#include "WmfFrame.h"

#include "PictureLimits.h"

#include <QRect>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <vector>

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr int PlaceableSize = 22;
constexpr int HeaderSize = 18;
constexpr int RecordHeaderWords = 3;

enum Function : quint16 {
    Eof = 0x0000,
    SaveDC = 0x001E,
    RestoreDC = 0x0127,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    CreatePenIndirect = 0x02FA,
    CreateBrushIndirect = 0x02FC,
    Rectangle = 0x041B,
};

bool createsObject(quint16 function)
{
    switch (function) {
    case 0x00F7: // CreatePalette
    case 0x01F9: // CreatePatternBrush
    case 0x0142: // DibCreatePatternBrush
    case 0x02FA: // CreatePenIndirect
    case 0x02FB: // CreateFontIndirect
    case 0x02FC: // CreateBrushIndirect
    case 0x06FF: // CreateRegion
        return true;
    default:
        return false;
    }
}

// How many parameter words the walk reads from a record.
quint32 paramsRead(quint16 function)
{
    switch (function) {
    case SetWindowOrg:
    case SetWindowExt:
        return 2;
    case RestoreDC:
    case DeleteObject:
        return 1;
    default:
        return 0;
    }
}

struct Window
{
    int orgX = 0, orgY = 0, extX = 0, extY = 0;
    bool hasExtent = false;
};

// The metafile's object table: each new object takes the lowest free slot.
class ObjectTable
{
public:
    static constexpr int MaxSlots = 0xFFFF; // what the header can count

    explicit ObjectTable(int initial)
    {
        for (int slot = 0; slot < initial; ++slot)
            freeSlots.insert(slot);
        size = initial;
    }
    // Returns the slot taken, or -1 when the table is full.
    int take()
    {
        if (freeSlots.empty())
            return size < MaxSlots ? size++ : -1;
        const int slot = *freeSlots.begin();
        freeSlots.erase(freeSlots.begin());
        return slot;
    }
    void release(int slot)
    {
        if (slot < size)
            freeSlots.insert(slot);
    }
    int count() const { return size; }

private:
    std::set<int> freeSlots;
    int size = 0;
};

// What the frame needs to know after walking the records.
struct Walk
{
    int endOfRecords = 0; // where the EOF record starts, or where the whole records end
    int maxRecordWords = RecordHeaderWords; // the longest record kept, the EOF record at least
    Window window;
    ObjectTable objects{0};
};

class Reader
{
public:
    explicit Reader(const QByteArray &data) : data(data) {}
    bool has(qsizetype at, qsizetype count) const { return at >= 0 && count <= data.size() - at; }
    quint16 u16(qsizetype at) const { return qFromLittleEndian<quint16>(data.constData() + at); }
    qint16 s16(qsizetype at) const { return qFromLittleEndian<qint16>(data.constData() + at); }
    quint32 u32(qsizetype at) const { return qFromLittleEndian<quint32>(data.constData() + at); }

private:
    const QByteArray &data;
};

// Follows one record; false when the metafile creates more objects than it can hold.
bool play(const Reader &in, int at, quint16 function, Walk &walk, std::vector<Window> &saved)
{
    const int params = at + 6;
    switch (function) {
    case SetWindowOrg:
        walk.window.orgY = in.s16(params);
        walk.window.orgX = in.s16(params + 2);
        break;
    case SetWindowExt:
        walk.window.extY = in.s16(params);
        walk.window.extX = in.s16(params + 2);
        walk.window.hasExtent = walk.window.extX != 0 && walk.window.extY != 0;
        break;
    case SaveDC:
        saved.push_back(walk.window);
        break;
    case RestoreDC: {
        // A negative argument counts back from the last save; a positive one names a save.
        const int which = in.s16(params);
        const int index = which < 0 ? int(saved.size()) + which : which - 1;
        if (index >= 0 && index < int(saved.size())) {
            walk.window = saved[std::size_t(index)];
            saved.resize(std::size_t(index));
        }
        break;
    }
    case DeleteObject:
        walk.objects.release(in.u16(params));
        break;
    default:
        if (createsObject(function))
            return walk.objects.take() >= 0;
    }
    return true;
}

// Walks the records up to EOF, or up to the first that is cut short or
// cannot be a record.
Walk walkRecords(const Reader &in, int header, int size)
{
    Walk walk;
    walk.objects = ObjectTable(in.u16(header + 10));
    std::vector<Window> saved;
    int at = header + HeaderSize;
    while (in.has(at, RecordHeaderWords * 2)) {
        const quint32 words = in.u32(at);
        const quint16 function = in.u16(at + 4);
        if (function == Eof || words < RecordHeaderWords || words > quint32(size - at) / 2)
            break;
        if (words < RecordHeaderWords + paramsRead(function) || !play(in, at, function, walk, saved))
            break;
        // The header's own claim is not taken: a damaged file may claim less
        // than its records hold, and the header handed on tells the truth.
        walk.maxRecordWords = std::max(walk.maxRecordWords, int(words));
        at += int(words) * 2;
    }
    walk.endOfRecords = at;
    return walk;
}

bool fitsWord(int value)
{
    return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
}

void appendRecord(QByteArray &out, quint16 function, std::initializer_list<quint16> params)
{
    const quint32 words = RecordHeaderWords + quint32(params.size());
    char bytes[4];
    qToLittleEndian(words, bytes);
    out.append(bytes, 4);
    qToLittleEndian(function, bytes);
    out.append(bytes, 2);
    for (quint16 param : params) {
        qToLittleEndian(param, bytes);
        out.append(bytes, 2);
    }
}

void patch16(QByteArray &out, int at, quint16 value)
{
    qToLittleEndian(value, out.data() + at);
}

void patch32(QByteArray &out, int at, quint32 value)
{
    qToLittleEndian(value, out.data() + at);
}

// An invisible rectangle over the frame: a null pen and a null brush in
// the slots the metafile leaves free, then the rectangle. Returns the length
// of the longest record added, in words; 0 when the table has no room.
int appendFrame(QByteArray &out, Walk &walk, const QRect &frame)
{
    const int pen = walk.objects.take();
    const int brush = walk.objects.take();
    if (pen < 0 || brush < 0)
        return 0;
    constexpr quint16 NullPen = 5, NullBrush = 1;
    appendRecord(out, CreatePenIndirect, {NullPen, 0, 0, 0, 0});
    appendRecord(out, CreateBrushIndirect, {NullBrush, 0, 0, 0});
    appendRecord(out, SelectObject, {quint16(pen)});
    appendRecord(out, SelectObject, {quint16(brush)});
    appendRecord(out, Rectangle,
                 {quint16(frame.bottom()), quint16(frame.right()), quint16(frame.top()), quint16(frame.left())});
    return RecordHeaderWords + 5;
}

// The frame in logical units, as left, top, right, bottom in a QRect's
// coordinates (right and bottom held as given, not as width - 1).
bool frameOf(const Walk &walk, const Reader &in, bool placeable, QRect &frame)
{
    int left, top, right, bottom;
    if (walk.window.hasExtent) {
        left = walk.window.orgX;
        top = walk.window.orgY;
        right = left + walk.window.extX;
        bottom = top + walk.window.extY;
    } else if (placeable) {
        left = in.s16(6);
        top = in.s16(8);
        right = in.s16(10);
        bottom = in.s16(12);
    } else {
        return false;
    }
    if (!fitsWord(right) || !fitsWord(bottom) || left == right || top == bottom)
        return false;
    frame.setCoords(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
    return true;
}

// The renderer's own guess of the units when a header gives none: points
// for a small picture, twips for a large one.
int guessedUnitsPerInch(int width, int height)
{
    return std::int64_t(width) * height < 1024 * 1024 ? 72 : 1440;
}

void sealPlaceable(QByteArray &header)
{
    quint16 checksum = 0;
    for (int at = 0; at < PlaceableSize - 2; at += 2)
        checksum ^= qFromLittleEndian<quint16>(header.constData() + at);
    patch16(header, PlaceableSize - 2, checksum);
}

QByteArray placeableHeader(const QRect &frame)
{
    QByteArray header(PlaceableSize, '\0');
    patch32(header, 0, PlaceableKey);
    const int values[] = {frame.left(), frame.top(), frame.right(), frame.bottom(),
                          guessedUnitsPerInch(frame.right() - frame.left(), frame.bottom() - frame.top())};
    for (int i = 0; i < 5; ++i)
        patch16(header, 6 + 2 * i, quint16(values[i]));
    sealPlaceable(header);
    return header;
}

bool isPlaceable(const Reader &in)
{
    return in.has(0, PlaceableSize) && in.u32(0) == PlaceableKey;
}

} // namespace

QSize WmfFrame::BoundingBox(const QByteArray &metafile)
{
    const Reader in(metafile);
    if (!isPlaceable(in))
        return {};
    return QSize(std::abs(in.s16(10) - in.s16(6)), std::abs(in.s16(12) - in.s16(8)));
}

int WmfFrame::UnitsPerInch(const QByteArray &metafile)
{
    const Reader in(metafile);
    const QSize box = BoundingBox(metafile);
    if (box.isEmpty())
        return 0;
    return in.u16(14) != 0 ? in.u16(14) : guessedUnitsPerInch(box.width(), box.height());
}

QByteArray WmfFrame::WithUnitsPerInch(QByteArray metafile, int unitsPerInch)
{
    if (!isPlaceable(Reader(metafile)))
        return metafile;
    patch16(metafile, 14, quint16(unitsPerInch));
    sealPlaceable(metafile);
    return metafile;
}

QByteArray WmfFrame::Framed(const QByteArray &data)
{
    const Reader in(data);
    if (data.size() > PictureLimits::MaxWmfFileBytes)
        return {};
    const bool placeable = isPlaceable(in);
    const int header = placeable ? PlaceableSize : 0;
    if (!in.has(header, HeaderSize))
        return {};
    const quint16 type = in.u16(header);
    if ((type != 1 && type != 2) || in.u16(header + 2) != HeaderSize / 2)
        return {};
    Walk walk = walkRecords(in, header, int(data.size()));
    QByteArray out = data.left(walk.endOfRecords);
    QRect frame;
    const bool framed = frameOf(walk, in, placeable, frame);
    int longest = walk.maxRecordWords;
    if (framed)
        longest = std::max(longest, appendFrame(out, walk, frame));
    appendRecord(out, Eof, {});
    patch32(out, header + 6, quint32((out.size() - header) / 2));
    patch16(out, header + 10, quint16(walk.objects.count()));
    patch32(out, header + 12, quint32(longest));
    if (framed && !placeable)
        out.prepend(placeableHeader(frame));
    return out;
}
