#include "TablePictures.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

namespace {

// A picture of another size, smooth-scaled to cover all of `picture`.
void ScaleInto(const QImage& source, QImage& picture) {
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(picture.rect(), source);
}

}  // namespace

TTablePictures::TTablePictures(QObject* parent) : QObject(parent) {}

TTablePictures::~TTablePictures() = default;

void TTablePictures::RunAhead(TJobs jobs) {
  FinishAhead();
  if (jobs.empty()) return;
  // One core stays with the GUI thread, busy meanwhile with the window.
  Ahead = std::jthread([jobs = std::move(jobs)] {
    RunOnCores(jobs.size(), [&jobs](std::size_t i) { jobs[i](); }, {}, 1);
  });
}

void TTablePictures::FinishAhead() {
  if (Ahead.joinable()) Ahead.join();
}

void TTablePictures::SwitchTo(qreal scale) {
  if (Images && ImagesScale == scale) return;
  std::swap(Images, EarlierImages);
  std::swap(ImagesScale, EarlierScale);
  if (!Images || ImagesScale != scale) {
    Images = std::make_unique<TCardImages>();
    ImagesScale = scale;
  }
  StandIns.clear();
  // A batch for a scale that is neither kept nor shown is wasted work.
  if (Drawing && BatchScale != ImagesScale && BatchScale != EarlierScale) Batch.request_stop();
}

// The largest picture n kept at either scale.
const QImage* TTablePictures::Source(int n) const {
  const QImage* here = Images ? Images->Largest(n) : nullptr;
  const QImage* earlier = EarlierImages ? EarlierImages->Largest(n) : nullptr;
  if (!here || (earlier && earlier->width() > here->width())) return earlier;
  return here;
}

void TTablePictures::Prepare(qreal scale, const TWanted& wanted, TJobs& jobs) {
  FinishAhead();
  SwitchTo(scale);
  for (const auto& [n, pixels] : wanted) {
    if (n < 0 || n >= TCardImages::Count || pixels.isEmpty() || Images->Find(n, pixels)) continue;
    const TKey key{n, {pixels.width(), pixels.height()}};
    if (StandIns.count(key)) continue;
    if (const QImage* source = Source(n)) {
      QImage* standIn = &(StandIns[key] = QImage(pixels, QImage::Format_RGB32));
      jobs.push_back([source, standIn] { ScaleInto(*source, *standIn); });
    } else if (QImage* sharp = Images->Reserve(n, pixels)) {
      jobs.push_back([sharp, n, pixels] { *sharp = TCardImages::Render(n, pixels); });
    }
  }
}

void TTablePictures::Drawn() {
  // The batch's threads would slow down the frame that shows the stand-ins:
  // it starts once that frame is on the screen. Qt paints on an update
  // request of low priority; this comes after it.
  if (!StandIns.empty() && !Drawing && !StartAsked) {
    StartAsked = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority - 1);
  }
}

void TTablePictures::customEvent(QEvent* event) {
  if (event->type() != QEvent::User) return;
  StartAsked = false;
  FinishAhead();
  StartBatch();
}

const QImage& TTablePictures::Picture(int n, QSize pixels) {
  static const QImage none;
  FinishAhead();
  if (!Images) return none;  // nothing prepared yet
  if (const QImage* sharp = Images->Find(n, pixels)) return *sharp;
  const auto standIn = StandIns.find({n, {pixels.width(), pixels.height()}});
  if (standIn != StandIns.end()) return standIn->second;
  return Images->Sized(n, pixels);
}

void TTablePictures::StartBatch() {
  if (Drawing || StandIns.empty()) return;
  TWanted batch;
  for (const auto& [key, picture] : StandIns)
    batch.emplace_back(key.first, QSize(key.second.first, key.second.second));
  Drawing = true;
  BatchScale = ImagesScale;
  // The batch owns its list and its pictures; it hands them to the GUI
  // thread through the event queue, where this object's destruction would
  // drop them (and waits for the batch first).
  Batch = std::jthread([this, batch, scale = BatchScale](std::stop_token stop) {
    // One core stays with the GUI thread, which goes on drawing meanwhile.
    std::vector<QImage> pictures = TCardImages::RenderAll(batch, stop, 1);
    QMetaObject::invokeMethod(
        this,
        [this, batch, scale, pictures = std::move(pictures)]() mutable {
          BatchDone(scale, batch, pictures);
        },
        Qt::QueuedConnection);
  });
}

void TTablePictures::BatchDone(qreal scale, const TWanted& batch, std::vector<QImage>& pictures) {
  Drawing = false;
  Batch.join();
  FinishAhead();
  const TCardImages* keep = scale == ImagesScale     ? Images.get()
                            : scale == EarlierScale ? EarlierImages.get()
                                                    : nullptr;
  bool arrived = false;
  for (std::size_t i = 0; keep && i < batch.size(); ++i) {
    if (pictures[i].isNull()) continue;
    keep->Keep(batch[i].first, std::move(pictures[i]));
    if (keep == Images.get())
      arrived |= StandIns.erase({batch[i].first, {batch[i].second.width(), batch[i].second.height()}}) > 0;
  }
  StartBatch();
  if (arrived) emit SharpPicturesReady();
}
