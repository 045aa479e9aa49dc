// The module's entry points (see StatisticsView.h).
#include <cstring>

#include "StatisticsDialog.h"
#include "varlo_release.h"

extern "C" Q_DECL_EXPORT bool varlo_statistics_check(const char* version, std::size_t viewSize) {
  return version && std::strcmp(version, varlo::Version) == 0 &&
         viewSize == sizeof(varlo::TStatisticsView);
}

extern "C" Q_DECL_EXPORT QDialog* varlo_statistics_dialog(const varlo::TStatisticsView* view,
                                                          QWidget* parent) {
  return view ? new TfrmStatistics(*view, parent) : nullptr;
}
