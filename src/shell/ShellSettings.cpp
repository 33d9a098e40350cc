#include "shell/ShellSettings.h"

#include <QSettings>
#include <QStringList>

namespace vextal {

namespace {

const QString kSoundEffects = QStringLiteral("sound/effects");
const QString kTune = QStringLiteral("sound/tune");
const QString kRepeatTune = QStringLiteral("sound/repeat");
const QString kEffectsVolume = QStringLiteral("sound/effectsVolume");
const QString kMusicVolume = QStringLiteral("sound/musicVolume");
const QString kCpuPlayer = QStringLiteral("cpu/enabled");
const QString kCpuStrength = QStringLiteral("cpu/strength");
const QString kMarkLastMove = QStringLiteral("board/markLastMove");
const QString kWelcomeShown = QStringLiteral("start/welcomeShown");
const QString kVisualCues = QStringLiteral("board/visualCues");
const QString kPlayerColors = QStringLiteral("board/playerColors");
const QString kWindowSize = QStringLiteral("window/size");
const QString kLanguage = QStringLiteral("window/language");
const QString kLastServer = QStringLiteral("network/lastServerAddress");
const QString kHelpViewerSize = QStringLiteral("help/viewerSize");
const QString kRecordFolder = QStringLiteral("record/folder");
// The internet account's address and choice; its password lives in the keyring only.
const QString kInternetAddress = QStringLiteral("internet/address");
const QString kInternetAutoLogIn = QStringLiteral("internet/autoLogIn");
const QString kInternetFriend = QStringLiteral("internet/friend");
const QString kInternetLobbyRoom = QStringLiteral("internet/lobbyRoom");
const QString kInternetLobbyName = QStringLiteral("internet/lobbyName");

// A remembered viewer size outside these bounds is nothing this program wrote.
constexpr int kSmallestSide = 200;
constexpr int kLargestSide = 16384;

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
  if (!store_) {
    return memory_.value(key);
  }
  return readable_ ? store_->value(key) : QVariant();
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

int ShellSettings::ReadPercent(const QString& key, int otherwise) const {
  // Read back as text from the file, or as the number written earlier in this run.
  bool ok = false;
  const int percent = Read(key).toString().toInt(&ok);
  return ok && percent >= 0 && percent <= 100 ? percent : otherwise;
}

void ShellSettings::Write(const QString& key, const QVariant& value) {
  if (!store_) {
    memory_.insert(key, value);
    return;
  }
  store_->setValue(key, value);
  store_->sync();  // at once: a crash or a killed session must not lose it
  // QSettings keeps a failed write in memory and reports it only through its status.
  if (store_->status() == QSettings::AccessError && !failureReported_) {
    failureReported_ = true;
    if (writeFailed_) {
      writeFailed_(store_->fileName());
    }
  }
}

void ShellSettings::SetWriteFailed(std::function<void(const QString&)> report) {
  writeFailed_ = std::move(report);
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

bool ShellSettings::RepeatTune() const {
  return ReadBool(kRepeatTune, false);
}

void ShellSettings::SetRepeatTune(bool on) {
  Write(kRepeatTune, on);
}

int ShellSettings::EffectsVolume() const {
  return ReadPercent(kEffectsVolume, 100);
}

void ShellSettings::SetEffectsVolume(int percent) {
  Write(kEffectsVolume, percent);
}

int ShellSettings::MusicVolume() const {
  return ReadPercent(kMusicVolume, 100);
}

void ShellSettings::SetMusicVolume(int percent) {
  Write(kMusicVolume, percent);
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

bool ShellSettings::WelcomeShown() const {
  return ReadBool(kWelcomeShown, false);
}

void ShellSettings::SetWelcomeShown() {
  Write(kWelcomeShown, true);
}

bool ShellSettings::VisualCues() const {
  return ReadBool(kVisualCues, false);
}

void ShellSettings::SetVisualCues(bool on) {
  Write(kVisualCues, on);
}

std::optional<ColorScheme> ShellSettings::PlayerColors() const {
  return ChoiceFromName(kColorSchemeChoices, ReadText(kPlayerColors));
}

void ShellSettings::SetPlayerColors(ColorScheme scheme) {
  Write(kPlayerColors, ChoiceName(kColorSchemeChoices, scheme));
}

WindowSize ShellSettings::Size() const {
  return ChoiceFromName(kWindowSizeChoices, ReadText(kWindowSize)).value_or(WindowSize::Normal);
}

void ShellSettings::SetSize(WindowSize size) {
  Write(kWindowSize, ChoiceName(kWindowSizeChoices, size));
}

QString ShellSettings::Language() const {
  return LanguageFromSettingsName(ReadText(kLanguage));
}

void ShellSettings::SetLanguage(const QString& language) {
  Write(kLanguage, LanguageSettingsName(language));
}

QString ShellSettings::LastServerAddress() const {
  return ReadText(kLastServer);
}

void ShellSettings::SetLastServerAddress(const QString& address) {
  Write(kLastServer, address);
}

QString ShellSettings::RecordFolder() const {
  return ReadText(kRecordFolder);
}

void ShellSettings::SetRecordFolder(const QString& folder) {
  Write(kRecordFolder, folder);
}

QString ShellSettings::InternetAddress() const {
  return ReadText(kInternetAddress);
}

void ShellSettings::SetInternetAddress(const QString& address) {
  Write(kInternetAddress, address);
}

bool ShellSettings::InternetAutoLogIn() const {
  return ReadBool(kInternetAutoLogIn, false);
}

void ShellSettings::SetInternetAutoLogIn(bool on) {
  Write(kInternetAutoLogIn, on);
}

QString ShellSettings::InternetFriend() const {
  return ReadText(kInternetFriend);
}

void ShellSettings::SetInternetFriend(const QString& address) {
  Write(kInternetFriend, address);
}

QString ShellSettings::InternetLobbyRoom() const {
  return ReadText(kInternetLobbyRoom);
}

void ShellSettings::SetInternetLobbyRoom(const QString& room) {
  Write(kInternetLobbyRoom, room);
}

QString ShellSettings::InternetLobbyName() const {
  return ReadText(kInternetLobbyName);
}

void ShellSettings::SetInternetLobbyName(const QString& name) {
  Write(kInternetLobbyName, name);
}

QSize ShellSettings::HelpViewerSize() const {
  const QStringList sides = ReadText(kHelpViewerSize).split(QLatin1Char('x'));
  if (sides.size() != 2) {
    return QSize();
  }
  bool wideOk = false, highOk = false;
  const QSize size(sides[0].toInt(&wideOk), sides[1].toInt(&highOk));
  const auto inRange = [](int side) { return side >= kSmallestSide && side <= kLargestSide; };
  return wideOk && highOk && inRange(size.width()) && inRange(size.height()) ? size : QSize();
}

void ShellSettings::SetHelpViewerSize(QSize size) {
  if (size != HelpViewerSize()) {
    Write(kHelpViewerSize, QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
  }
}

}  // namespace vextal
