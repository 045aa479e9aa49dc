#include "Preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

#include "user_folders.h"

namespace {

// A settings file of ours holds a dozen short lines.
constexpr qint64 MaxFileSize = 64 * 1024;

// The keys are the file's format: they never change once released.
const QString OpponentsKey = QStringLiteral("opponents");
const QString PauseKey = QStringLiteral("pause_ms");
const QString MessagesKey = QStringLiteral("layout_messages");
const QString KeepKey = QStringLiteral("keep_unfinished_match");
const QString TakeBackKey = QStringLiteral("allow_take_back");
const QString StatisticsKey = QStringLiteral("keep_statistics");
const QString RememberKey = QStringLiteral("remember_look");
const QString CoachKey = QStringLiteral("show_card_worth");
const QString NameKey = QStringLiteral("look/name");
const QString FontKey = QStringLiteral("look/font");
const QString FontColourKey = QStringLiteral("look/font_colour");
const QString BackgroundKey = QStringLiteral("look/background");

const QString Boxes = QStringLiteral("boxes"), Table = QStringLiteral("table");

bool ReadBool(const QSettings& s, const QString& key, bool fallback) {
  const QString text = s.value(key).toString();
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return fallback;
}

// Whether the path holds a file we may read and replace: nothing at all,
// or a regular file of a settings file's size. Anything else is left alone.
bool OursToUse(const QString& file) {
  const QFileInfo info(file);
  if (!info.exists() && !info.isSymLink()) return true;
  return info.isFile() && info.size() <= MaxFileSize;
}

std::optional<TLook> ReadLook(const QSettings& s) {
  if (!s.contains(NameKey)) return std::nullopt;
  TLook look;
  look.Name = s.value(NameKey).toString();
  if (!look.Font.fromString(s.value(FontKey).toString())) return std::nullopt;
  look.FontColour = QColor::fromString(s.value(FontColourKey).toString());
  look.Background = QColor::fromString(s.value(BackgroundKey).toString());
  if (!look.FontColour.isValid() || !look.Background.isValid()) return std::nullopt;
  return look;
}

}  // namespace

QString PreferencesFile() {
  return QString::fromStdString(
      (varlo::UserFolder(varlo::TUserFolder::Config) / "varlo.conf").string());
}

TPreferences LoadPreferences(const QString& file, bool* readable) {
  TPreferences p;
  if (readable) *readable = true;
  if (!QFileInfo::exists(file)) return p;
  if (!OursToUse(file)) {
    if (readable) *readable = false;
    return p;
  }
  const QSettings s(file, QSettings::IniFormat);
  if (s.status() != QSettings::NoError) {
    if (readable) *readable = false;
    return p;
  }
  varlo::OpponentLevelOfId(s.value(OpponentsKey).toString().toStdString(), p.Opponents);
  bool number = false;
  const int pause = s.value(PauseKey).toInt(&number);
  if (number && std::find(std::begin(PauseChoices), std::end(PauseChoices), pause) !=
                    std::end(PauseChoices))
    p.PauseMs = pause;
  p.MessagesOnTable = s.value(MessagesKey).toString() == Table;
  p.KeepUnfinished = ReadBool(s, KeepKey, false);
  p.TakeBack = ReadBool(s, TakeBackKey, false);
  p.KeepStatistics = ReadBool(s, StatisticsKey, false);
  p.RememberLook = ReadBool(s, RememberKey, false);
  p.Coach = ReadBool(s, CoachKey, false);
  if (p.RememberLook) p.Look = ReadLook(s);
  return p;
}

bool SavePreferences(const QString& file, const TPreferences& p) {
  if (!OursToUse(file)) return false;
  QDir().mkpath(QFileInfo(file).absolutePath());
  QSettings s(file, QSettings::IniFormat);
  s.clear();
  s.setValue(OpponentsKey, QLatin1String(varlo::OpponentLevelId(p.Opponents)));
  s.setValue(PauseKey, p.PauseMs);
  s.setValue(MessagesKey, p.MessagesOnTable ? Table : Boxes);
  s.setValue(KeepKey, p.KeepUnfinished);
  s.setValue(TakeBackKey, p.TakeBack);
  s.setValue(StatisticsKey, p.KeepStatistics);
  s.setValue(RememberKey, p.RememberLook);
  s.setValue(CoachKey, p.Coach);
  if (p.RememberLook && p.Look) {
    s.setValue(NameKey, p.Look->Name);
    s.setValue(FontKey, p.Look->Font.toString());
    s.setValue(FontColourKey, p.Look->FontColour.name());
    s.setValue(BackgroundKey, p.Look->Background.name());
  }
  s.sync();
  return s.status() == QSettings::NoError;
}
