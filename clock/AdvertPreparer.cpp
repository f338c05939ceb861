// SPDX-License-Identifier: GPL-3.0-or-later
#include "AdvertPreparer.h"

#include "PictureLoader.h"
#include "TImage.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QListWidget>
#include <QTimer>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Below the program's own threads, so a decode takes no time from the
// clock, the sounds or the CD music on the two cores of a timekeeper's PC.
constexpr int WorkerNiceness = 10;

} // namespace

AdvertPreparer::AdvertPreparer(QObject *parent) : QObject(parent), worker([this] { work(); }) {}

AdvertPreparer::~AdvertPreparer()
{
    {
        const std::lock_guard guard(lock);
        stopping = true;
    }
    wake.notify_all();
    worker.join();
}

void AdvertPreparer::Attach(TForm1 *mainWindow)
{
    form = mainWindow;
    form->Billede->SetPreparer(this);
    connect(form->Billede, &TImage::changed, this, [this] { prepareNextSoon(); });
    if (QListWidget *list = form->AdvertList()) {
        QAbstractItemModel *entries = list->model();
        connect(entries, &QAbstractItemModel::rowsInserted, this, &AdvertPreparer::prepareNextSoon);
        connect(entries, &QAbstractItemModel::rowsRemoved, this, &AdvertPreparer::prepareNextSoon);
        connect(entries, &QAbstractItemModel::rowsMoved, this, &AdvertPreparer::prepareNextSoon);
        connect(entries, &QAbstractItemModel::dataChanged, this, &AdvertPreparer::prepareNextSoon);
        connect(entries, &QAbstractItemModel::modelReset, this, &AdvertPreparer::prepareNextSoon);
    }
    if (form->Form2 != nullptr) {
        connect(form->Form2->CheckBox_visReklamer, &QCheckBox::toggled, this, &AdvertPreparer::prepareNextSoon);
        form->Form2->installEventFilter(this);
    }
    prepareNextSoon();
}

// The setup dialog opening: its closing will show the first entry.
bool AdvertPreparer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show)
        prepareNextSoon();
    return QObject::eventFilter(watched, event);
}

QString AdvertPreparer::NextEntry(const TForm1 &form)
{
    const QListWidget *list = form.AdvertList();
    const bool dialogOpen = form.Form2 != nullptr && form.Form2->isVisible();
    const bool on = dialogOpen ? form.Form2->AdvertsOption() : form.AddsOn;
    if (!on || list == nullptr || list->count() == 0)
        return {};
    const int index = dialogOpen || form.AddIndex < 0 || form.AddIndex >= list->count() ? 0 : form.AddIndex;
    return list->item(index)->text();
}

// After the handler that caused the change has finished: a rotation step
// moves its index only after it has shown the picture.
void AdvertPreparer::prepareNextSoon()
{
    if (nextScheduled)
        return;
    nextScheduled = true;
    QTimer::singleShot(0, this, [this] {
        nextScheduled = false;
        prepareNext();
    });
}

void AdvertPreparer::prepareNext()
{
    const QString next = NextEntry(*form);
    if (!next.isEmpty())
        Prepare(next, form->Billede->size(), form->Billede->devicePixelRatioF());
}

void AdvertPreparer::Prepare(const QString &path, const QSize &area, qreal devicePixelRatio)
{
    const Request wanted{path, area, devicePixelRatio};
    {
        const std::lock_guard guard(lock);
        const bool inHand = finished == asked && stamp == stampOf(path);
        if (wanted == request && (finished != asked || inHand))
            return; // being prepared, or prepared from the file as it is
        request = wanted;
        ++asked;
    }
    wake.notify_one();
}

std::optional<AdvertPreparer::Prepared> AdvertPreparer::Take(const QString &path)
{
    const std::lock_guard guard(lock);
    if (finished != asked || request.path != path || stamp != stampOf(path))
        return std::nullopt;
    return result;
}

AdvertPreparer::FileStamp AdvertPreparer::stampOf(const QString &path)
{
    struct stat about{};
    if (stat(QFile::encodeName(path).constData(), &about) != 0)
        return {};
    const auto ns = [](const timespec &t) { return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {std::int64_t(about.st_dev), std::int64_t(about.st_ino), std::int64_t(about.st_size), ns(about.st_mtim),
            ns(about.st_ctim)};
}

AdvertPreparer::Prepared AdvertPreparer::decode(const Request &wanted) const
{
    const QSize deviceArea = (QSizeF(wanted.area) * wanted.devicePixelRatio).toSize();
    Prepared done;
    done.picture = PictureLoader::Load(wanted.path, deviceArea);
    done.scaled = TImage::ScaledForArea(done.picture, wanted.area, wanted.devicePixelRatio);
    done.decodedFor = deviceArea;
    return done;
}

void AdvertPreparer::work()
{
    setpriority(PRIO_PROCESS, id_t(gettid()), WorkerNiceness);
    std::unique_lock guard(lock);
    for (;;) {
        wake.wait(guard, [this] { return stopping || finished != asked; });
        if (stopping)
            return;
        const Request wanted = request;
        const std::uint64_t number = asked;
        guard.unlock();
        // Stamped before the read: a change during the decode shows as a
        // stamp that no longer matches.
        const FileStamp before = stampOf(wanted.path);
        Prepared done = decode(wanted);
        guard.lock();
        if (number != asked)
            continue; // asked for something else meanwhile
        result = std::move(done);
        stamp = before;
        finished = number;
    }
}
