#include "platform/qt_settings_store.h"

#include "data/text.h"
#include "platform/user_settings.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <utility>

namespace dorvanta {
namespace {

// kSettingsKey without its trailing backslash.
constexpr std::string_view kRootKey = kSettingsKey.substr(0, kSettingsKey.size() - 1);

QString Latin1(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// "%", "/" and "\" written as %XX, so that QSettings takes the name as one key.
QString EscapedName(std::string_view name)
{
    return Latin1(PercentEncode(name, "%/\\"));
}

// The QSettings key of a registry key and value name: "Software\Dorvanta\" is the
// top level, each further registry level a group.
QString SettingsKey(std::string_view key, std::string_view name)
{
    if (name.empty()) {
        throw SettingsError("a stored value needs a name");
    }
    if (ToLowerAZ(key.substr(0, kRootKey.size())) != ToLowerAZ(kRootKey) ||
        (key.size() > kRootKey.size() && key[kRootKey.size()] != '\\')) {
        throw SettingsError("the key " + std::string(key) + " is not the program's");
    }
    QString path;
    std::string_view rest = key.substr(kRootKey.size());
    while (!rest.empty()) {
        const auto separator = rest.find('\\');
        const std::string_view level = rest.substr(0, separator);
        if (!level.empty()) {
            path += EscapedName(level) + '/';
        }
        if (separator == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(separator + 1);
    }
    return path + EscapedName(name);
}

std::string Describe(std::string_view key, std::string_view name)
{
    return std::string(key) + std::string(name);
}

} // namespace

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(std::filesystem::path iniFile) : iniFile_(std::move(iniFile)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::unique_ptr<QSettings> QtSettingsStore::Open() const
{
    std::unique_ptr<QSettings> settings;
    if (iniFile_) {
        // Built for Linux only: Windows keeps its settings in the registry store.
        const QString path = QFile::decodeName(QByteArray::fromStdString(iniFile_->native()));
        settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    } else {
        settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                               QStringLiteral("Dorvanta"), QStringLiteral("Dorvanta"));
    }
    // Only our own values: no organisation-wide or system-wide defaults mixed in.
    settings->setFallbacksEnabled(false);
    return settings;
}

std::optional<QVariant> QtSettingsStore::Read(std::string_view key, std::string_view name) const
{
    const QString settingsKey = SettingsKey(key, name);
    const auto settings = Open();
    if (settings->status() != QSettings::NoError) {
        throw SettingsError("the stored values cannot be read (" + Describe(key, name) + ")");
    }
    QVariant value = settings->value(settingsKey);
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value;
}

void QtSettingsStore::Write(std::string_view key, std::string_view name, const QVariant& value)
{
    const QString settingsKey = SettingsKey(key, name);
    const auto settings = Open();
    if (settings->status() != QSettings::NoError || !settings->isWritable()) {
        throw SettingsError("the stored values cannot be written (" + Describe(key, name) + ")");
    }
    const QVariant previous = settings->value(settingsKey);
    settings->setValue(settingsKey, value);
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        // QSettings keeps an unsaved change in its per-process cache, where later
        // reads would find it; put the old value back so nobody sees what was not stored.
        if (previous.isValid()) {
            settings->setValue(settingsKey, previous);
        } else {
            settings->remove(settingsKey);
        }
        throw SettingsError("the stored values cannot be written (" + Describe(key, name) + ")");
    }
}

std::optional<std::string> QtSettingsStore::ReadString(std::string_view key, std::string_view name)
{
    const auto value = Read(key, name);
    if (!value) {
        return std::nullopt;
    }
    if (value->typeId() != QMetaType::QString) {
        throw SettingsError(Describe(key, name) + " is not a text value");
    }
    const QString text = value->toString();
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            throw SettingsError(Describe(key, name) + " holds characters beyond single-byte text");
        }
    }
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<std::vector<std::uint8_t>> QtSettingsStore::ReadBinary(std::string_view key,
                                                                     std::string_view name)
{
    const auto value = Read(key, name);
    if (!value) {
        return std::nullopt;
    }
    if (value->typeId() != QMetaType::QByteArray) {
        throw SettingsError(Describe(key, name) + " is not a binary value");
    }
    const QByteArray bytes = value->toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void QtSettingsStore::WriteString(std::string_view key, std::string_view name, std::string_view value)
{
    Write(key, name, QVariant(Latin1(value)));
}

void QtSettingsStore::WriteBinary(std::string_view key, std::string_view name,
                                  const std::vector<std::uint8_t>& value)
{
    Write(key, name,
          QVariant(
              QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size()))));
}

std::unique_ptr<SettingsStore> OpenUserSettings()
{
    return std::make_unique<QtSettingsStore>();
}

} // namespace dorvanta
