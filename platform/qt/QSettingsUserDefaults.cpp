#include "platform/qt/QSettingsUserDefaults.h"

#include "core/Support/Numbers.h"

#include <QStandardPaths>

namespace ondravell::platform {

QString QSettingsUserDefaults::defaultFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ondravell/ondravell.ini");
}

QSettingsUserDefaults::QSettingsUserDefaults() : QSettingsUserDefaults(defaultFileName()) {}

QSettingsUserDefaults::QSettingsUserDefaults(const QString& fileName)
    : settings_(fileName, QSettings::IniFormat) {}

std::optional<QString> QSettingsUserDefaults::text(const std::string& key) const {
    // Another program (or the user) may have edited the file since it was read.
    settings_.sync();
    QVariant value = settings_.value(QString::fromStdString(key));
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

void QSettingsUserDefaults::setText(const std::string& key, const QString& text) {
    settings_.setValue(QString::fromStdString(key), text);
    settings_.sync();
}

std::optional<bool> QSettingsUserDefaults::boolForKey(const std::string& key) const {
    // INI files hold text: only the two texts QSettings writes for a Boolean count as one.
    auto value = text(key);
    if (value == QLatin1String("true"))
        return true;
    if (value == QLatin1String("false"))
        return false;
    return std::nullopt;
}

void QSettingsUserDefaults::setBool(const std::string& key, bool value) {
    setText(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

std::optional<double> QSettingsUserDefaults::doubleForKey(const std::string& key) const {
    auto value = text(key);
    if (!value)
        return std::nullopt;
    return Numbers::parseDouble(value->toStdString());
}

void QSettingsUserDefaults::setDouble(const std::string& key, double value) {
    setText(key, QString::fromStdString(Numbers::format(value)));
}

std::optional<std::string> QSettingsUserDefaults::stringForKey(const std::string& key) const {
    settings_.sync();
    QVariant value = settings_.value(QString::fromStdString(key));
    if (!value.isValid())
        return std::nullopt;
    // An unquoted text with commas in an INI file reads as a list of its pieces.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

void QSettingsUserDefaults::setString(const std::string& key, const std::string& value) {
    settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings_.sync();
}

} // namespace ondravell::platform
