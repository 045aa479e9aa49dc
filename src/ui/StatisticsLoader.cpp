#include "StatisticsLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "varlo_release.h"

QStringList StatisticsModulePaths() {
  const QDir programs(QCoreApplication::applicationDirPath());
  return {programs.filePath(QStringLiteral(VARLO_STATISTICS_MODULE)),
          QDir::cleanPath(programs.filePath(
              QStringLiteral(VARLO_MODULE_DIR_FROM_PROGRAM "/" VARLO_STATISTICS_MODULE)))};
}

TStatisticsModule LoadStatisticsModule() {
  static TStatisticsModule loaded;
  if (loaded.CreateDialog) return loaded;
  QStringList problems;
  for (const QString& path : StatisticsModulePaths()) {
    if (!QFileInfo::exists(path)) continue;
    // Once loaded the library stays for the rest of the run.
    QLibrary library(path);
    if (!library.load()) {
      problems << library.errorString();
      continue;
    }
    const auto check = reinterpret_cast<TStatisticsCheck>(library.resolve(StatisticsCheckName));
    const auto create = reinterpret_cast<TStatisticsDialog>(library.resolve(StatisticsDialogName));
    if (check && create && check(varlo::Version, sizeof(varlo::TStatisticsView))) {
      loaded.CreateDialog = create;
      return loaded;
    }
    problems << QStringLiteral("%1 belongs to another version of the game").arg(path);
    library.unload();
  }
  TStatisticsModule failed;
  failed.Error =
      problems.isEmpty()
          ? QStringLiteral("%1 was not found").arg(QStringLiteral(VARLO_STATISTICS_MODULE))
          : problems.join(QLatin1Char('\n'));
  return failed;
}
