#pragma once

#include "platform/UserDefaults.h"

#include <QSettings>
#include <QString>

namespace ondravell::platform {

// The application's user defaults in an INI file, by default "$XDG_CONFIG_HOME/ondravell/ondravell.ini".
// Every change is written at once: nothing is saved at exit.
class QSettingsUserDefaults final : public UserDefaults {
public:
    QSettingsUserDefaults();
    explicit QSettingsUserDefaults(const QString& fileName);

    std::optional<bool> boolForKey(const std::string& key) const override;
    void setBool(const std::string& key, bool value) override;
    std::optional<double> doubleForKey(const std::string& key) const override;
    void setDouble(const std::string& key, double value) override;
    std::optional<std::string> stringForKey(const std::string& key) const override;
    void setString(const std::string& key, const std::string& value) override;

    QString fileName() const { return settings_.fileName(); }
    static QString defaultFileName();

private:
    // The key's text after re-reading the file; nullopt when it is missing.
    std::optional<QString> text(const std::string& key) const;
    void setText(const std::string& key, const QString& text);

    mutable QSettings settings_;
};

} // namespace ondravell::platform
