#include "platform/qt/QSettingsUserDefaults.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <cstdlib>
#include <gtest/gtest.h>

using ondravell::platform::QSettingsUserDefaults;

TEST(QSettingsUserDefaults, LivesInTheOndravellFolderOfTheConfigHome) {
    QTemporaryDir home;
    ::setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
    EXPECT_EQ(QSettingsUserDefaults::defaultFileName(), home.path() + "/ondravell/ondravell.ini");
}

TEST(QSettingsUserDefaults, BooleanSurvivesANewInstanceAndMissingKeyIsAbsent) {
    QTemporaryDir home;
    const QString file = home.path() + "/ondravell/ondravell.ini";
    {
        QSettingsUserDefaults defaults(file);
        EXPECT_FALSE(defaults.boolForKey("hideMenuBarIcon"));
        defaults.setBool("hideMenuBarIcon", true);
    }
    QSettingsUserDefaults again(file);
    EXPECT_EQ(again.boolForKey("hideMenuBarIcon"), true);
}

TEST(QSettingsUserDefaults, SeesAnEditMadeByAnotherProgramAndRejectsNonBooleans) {
    QTemporaryDir home;
    const QString file = home.path() + "/ondravell.ini";
    QSettingsUserDefaults defaults(file);
    defaults.setBool("hideMenuBarIcon", false);
    {
        QFile edit(file);
        ASSERT_TRUE(edit.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QTextStream(&edit) << "[General]\nhideMenuBarIcon=true\nhasCompletedOnboarding=maybe\n";
    }
    EXPECT_EQ(defaults.boolForKey("hideMenuBarIcon"), true);
    EXPECT_FALSE(defaults.boolForKey("hasCompletedOnboarding"));
}

TEST(QSettingsUserDefaults, NumbersAndTextsReadBackWhateverTheNumericLocale) {
    QTemporaryDir home;
    const QString file = home.path() + "/ondravell.ini";
    QSettingsUserDefaults defaults(file);
    defaults.setDouble("lastUpdateCheckAt", 1765270000.25);
    defaults.setString("notifiedUpdateVersion", "2.0, beta");
    QSettingsUserDefaults again(file);
    EXPECT_EQ(again.doubleForKey("lastUpdateCheckAt"), 1765270000.25);
    EXPECT_EQ(again.stringForKey("notifiedUpdateVersion"), "2.0, beta");
    EXPECT_FALSE(again.doubleForKey("notifiedUpdateVersion"));
    EXPECT_FALSE(again.stringForKey("missing"));
}
