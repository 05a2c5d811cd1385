#include "platform/qt/QSettingsUserDefaults.h"

#include <QStandardPaths>

namespace ondravell::platform {

QString QSettingsUserDefaults::defaultFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ondravell/ondravell.ini");
}

QSettingsUserDefaults::QSettingsUserDefaults() : QSettingsUserDefaults(defaultFileName()) {}

QSettingsUserDefaults::QSettingsUserDefaults(const QString& fileName)
    : settings_(fileName, QSettings::IniFormat) {}

std::optional<bool> QSettingsUserDefaults::boolForKey(const std::string& key) const {
    // Another program (or the user) may have edited the file since it was read.
    settings_.sync();
    QVariant value = settings_.value(QString::fromStdString(key));
    if (!value.isValid())
        return std::nullopt;
    // INI files hold text: only the two texts QSettings writes for a Boolean count as one.
    QString text = value.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return std::nullopt;
}

void QSettingsUserDefaults::setBool(const std::string& key, bool value) {
    settings_.setValue(QString::fromStdString(key), value);
    settings_.sync();
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
