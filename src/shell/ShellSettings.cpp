#include "shell/ShellSettings.h"

#include <QSettings>

namespace vextal {

namespace {

const QString kSoundEffects = QStringLiteral("sound/effects");
const QString kTune = QStringLiteral("sound/tune");
const QString kCpuPlayer = QStringLiteral("cpu/enabled");
const QString kCpuStrength = QStringLiteral("cpu/strength");
const QString kMarkLastMove = QStringLiteral("board/markLastMove");
const QString kWindowSize = QStringLiteral("window/size");
const QString kLastServer = QStringLiteral("network/lastServerAddress");

// Longer texts are nothing this program wrote: a host name has at most 253 characters, a file
// name at most 255.
constexpr qsizetype kLongestText = 255;

}  // namespace

ShellSettings::ShellSettings() = default;

ShellSettings::ShellSettings(std::unique_ptr<QSettings> store)
    : store_(std::move(store)), readable_(store_->status() == QSettings::NoError) {}

ShellSettings ShellSettings::ForUser() {
  return ShellSettings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                   kOrganization, kApplication));
}

ShellSettings::ShellSettings(const QString& iniFile)
    : ShellSettings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

ShellSettings::ShellSettings(ShellSettings&&) noexcept = default;
ShellSettings& ShellSettings::operator=(ShellSettings&&) noexcept = default;
ShellSettings::~ShellSettings() = default;

QString ShellSettings::FileName() const {
  return store_ ? store_->fileName() : QString();
}

QVariant ShellSettings::Read(const QString& key) const {
  return store_ && readable_ ? store_->value(key) : QVariant();
}

bool ShellSettings::ReadBool(const QString& key, bool otherwise) const {
  // QVariant would take any other text as true; only the two words written here count.
  const QString text = Read(key).toString();
  if (text == QLatin1String("true")) {
    return true;
  }
  if (text == QLatin1String("false")) {
    return false;
  }
  return otherwise;
}

QString ShellSettings::ReadText(const QString& key) const {
  const QVariant value = Read(key);
  if (value.typeId() != QMetaType::QString) {
    return QString();  // a list or nothing
  }
  const QString text = value.toString();
  return text.size() <= kLongestText ? text : QString();
}

void ShellSettings::Write(const QString& key, const QVariant& value) {
  if (!store_) {
    return;
  }
  store_->setValue(key, value);
  store_->sync();  // at once: a crash or a killed session must not lose it
}

bool ShellSettings::SoundEffects() const {
  return ReadBool(kSoundEffects, true);
}

void ShellSettings::SetSoundEffects(bool on) {
  Write(kSoundEffects, on);
}

QString ShellSettings::Tune() const {
  return ReadText(kTune);
}

void ShellSettings::SetTune(const QString& fileName) {
  Write(kTune, fileName);
}

bool ShellSettings::CpuPlayer() const {
  return ReadBool(kCpuPlayer, false);
}

void ShellSettings::SetCpuPlayer(bool on) {
  Write(kCpuPlayer, on);
}

CpuLevel ShellSettings::CpuStrength() const {
  return CpuLevelFromName(ReadText(kCpuStrength)).value_or(CpuLevel::Classic);
}

void ShellSettings::SetCpuStrength(CpuLevel level) {
  Write(kCpuStrength, CpuLevelName(level));
}

bool ShellSettings::MarkLastMove() const {
  return ReadBool(kMarkLastMove, true);
}

void ShellSettings::SetMarkLastMove(bool on) {
  Write(kMarkLastMove, on);
}

WindowSize ShellSettings::Size() const {
  return WindowSizeFromName(ReadText(kWindowSize)).value_or(WindowSize::Normal);
}

void ShellSettings::SetSize(WindowSize size) {
  Write(kWindowSize, WindowSizeName(size));
}

QString ShellSettings::LastServerAddress() const {
  return ReadText(kLastServer);
}

void ShellSettings::SetLastServerAddress(const QString& address) {
  Write(kLastServer, address);
}

}  // namespace vextal
