// The card pictures of the table, at its device scale and at the scale
// before it, so that going back and forth (maximise, restore) renders
// nothing again.
//
// At a new scale a dozen pictures must be drawn afresh, several times what
// the first frame after a resize may cost. So the first frame shows the
// pictures of another scale, smooth-scaled, while the sharp ones are drawn
// on plain threads; once they are in, SharpPicturesReady asks for a redraw.
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <map>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "CardImages.h"
#include "OnCores.h"

class TTablePictures : public QObject {
  Q_OBJECT

 public:
  using TWanted = std::vector<std::pair<int, QSize>>;

  explicit TTablePictures(QObject* parent = nullptr);
  ~TTablePictures() override;

  /// Gets ready the pictures (index, device pixels) that a drawing pass at
  /// this device scale will ask for: kept ones stay; ones seen at another
  /// scale get stand-ins and are drawn sharp in the background; the others
  /// are drawn now. The work of now goes to `jobs`, to be run before the
  /// pass (or ahead of it).
  void Prepare(qreal scale, const TWanted& wanted, TJobs& jobs);
  /// Runs preparing jobs on plain threads while the GUI thread goes on;
  /// every change to the pictures waits for them first.
  void RunAhead(TJobs jobs);
  void FinishAhead();
  /// The pass that drew what was prepared is done.
  void Drawn();
  /// Picture n covering exactly these device pixels at the scale last
  /// prepared: the sharp one, else its stand-in, else drawn now. Null for an
  /// index outside 0..32.
  const QImage& Picture(int n, QSize pixels);
  /// Stand-ins are on the table whose sharp pictures are still being drawn.
  bool Pending() const { return !StandIns.empty(); }

 signals:
  /// Sharp pictures for stand-ins have arrived: the table should be redrawn.
  void SharpPicturesReady();

 protected:
  void customEvent(QEvent* event) override;

 private:
  using TKey = std::pair<int, std::pair<int, int>>;

  void SwitchTo(qreal scale);
  const QImage* Source(int n) const;
  /// Draws the sharp pictures of the stand-ins, one batch at a time.
  void StartBatch();
  void BatchDone(qreal scale, const TWanted& batch, std::vector<QImage>& pictures);

  std::unique_ptr<TCardImages> Images, EarlierImages;
  qreal ImagesScale = 0, EarlierScale = 0;
  std::map<TKey, QImage> StandIns;  // at ImagesScale
  bool Drawing = false;             // a batch is under way
  bool StartAsked = false;
  qreal BatchScale = 0;
  // Last, so that they are stopped and joined before anything else goes.
  std::jthread Batch, Ahead;
};
